# Install rules of the terminal build: `cmake --install build --prefix /usr` puts the game and
# the replay tool in /usr/games, as games are on Debian, and the rest under /usr/share.
include(GNUInstallDirs)

set(VEXAMOR_INSTALL_GAMESDIR "games" CACHE STRING
    "Where the game and the replay tool go, relative to the prefix (or absolute)")
option(VEXAMOR_INSTALL_DEBIAN_DOCS
       "Also install the Debian copyright file and the changelog (the package build turns this on)" OFF)

# Directories the install creates get 0755 whatever the umask, as a package wants them.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS vexamor vexamor-replay RUNTIME DESTINATION ${VEXAMOR_INSTALL_GAMESDIR})

# Man pages and the changelog are installed compressed, as man and Debian expect them;
# gzip -n leaves out the name and time stamp, so the same sources give the same bytes.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(VEXAMOR_COMPRESSED_DIR ${CMAKE_BINARY_DIR}/compressed)

function(vexamor_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VEXAMOR_COMPRESSED_DIR}
    COMMAND ${GZIP_PROGRAM} -9n -c ${source} > ${output}
    DEPENDS ${source} VERBATIM)
endfunction()

set(VEXAMOR_MAN_PAGES vexamor.6 vexamor-replay.6)
set(VEXAMOR_COMPRESSED_FILES "")
foreach(language en pt_BR)
  if(language STREQUAL "en")
    set(source_dir ${CMAKE_SOURCE_DIR}/doc/man)
    set(man_dir ${CMAKE_INSTALL_MANDIR}/man6)
  else()
    set(source_dir ${CMAKE_SOURCE_DIR}/doc/man/${language})
    set(man_dir ${CMAKE_INSTALL_MANDIR}/${language}/man6)
  endif()
  foreach(page ${VEXAMOR_MAN_PAGES})
    set(output ${VEXAMOR_COMPRESSED_DIR}/${language}-${page}.gz)
    vexamor_gzip(${source_dir}/${page} ${output})
    list(APPEND VEXAMOR_COMPRESSED_FILES ${output})
    install(FILES ${output} DESTINATION ${man_dir} RENAME ${page}.gz)
  endforeach()
endforeach()

set(VEXAMOR_CHANGELOG ${VEXAMOR_COMPRESSED_DIR}/changelog.gz)
vexamor_gzip(${CMAKE_SOURCE_DIR}/doc/debian/changelog ${VEXAMOR_CHANGELOG})
list(APPEND VEXAMOR_COMPRESSED_FILES ${VEXAMOR_CHANGELOG})
add_custom_target(vexamor_compressed_docs ALL DEPENDS ${VEXAMOR_COMPRESSED_FILES})

install(FILES ${CMAKE_SOURCE_DIR}/data/vexamor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/io.github.vexamor.vexamor.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/data/vexamor.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

if(VEXAMOR_INSTALL_DEBIAN_DOCS)
  # The package states the license in its copyright file instead of a second copy.
  install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/doc/debian/copyright ${VEXAMOR_CHANGELOG}
          DESTINATION ${CMAKE_INSTALL_DOCDIR})
else()
  install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()
