# Tests that feed the presenter's bytes to a real terminal emulator (libvterm), added to the
# test binary only where libvterm is there (not in the cross builds).
find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
  pkg_check_modules(VTERM QUIET IMPORTED_TARGET vterm)
endif()
if(VTERM_FOUND)
  file(GLOB VEXAMOR_VTERM_TEST_SOURCES CONFIGURE_DEPENDS tests/vterm/*.cpp)
  target_sources(vexamor_tests PRIVATE ${VEXAMOR_VTERM_TEST_SOURCES})
  target_link_libraries(vexamor_tests PRIVATE PkgConfig::VTERM)
elseif(VEXAMOR_TARGET STREQUAL "posix")
  message(WARNING "libvterm not found: the terminal emulator tests are left out (install libvterm-dev).")
endif()
