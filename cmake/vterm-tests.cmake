# Tests that feed the presenter's bytes to a real terminal emulator (libvterm), added to the
# test binary only in the native POSIX build and where libvterm is there: a cross build must
# not pick up the build machine's copy.
if(VEXAMOR_TARGET STREQUAL "posix")
  find_package(PkgConfig QUIET)
  if(PKG_CONFIG_FOUND)
    pkg_check_modules(VTERM QUIET IMPORTED_TARGET vterm)
  endif()
  if(VTERM_FOUND)
    file(GLOB VEXAMOR_VTERM_TEST_SOURCES CONFIGURE_DEPENDS tests/vterm/*.cpp)
    target_sources(vexamor_tests PRIVATE ${VEXAMOR_VTERM_TEST_SOURCES})
    target_link_libraries(vexamor_tests PRIVATE PkgConfig::VTERM)
  else()
    message(WARNING "libvterm not found: the terminal emulator tests are left out (install libvterm-dev).")
  endif()
endif()
