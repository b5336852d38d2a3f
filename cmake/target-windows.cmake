# Windows console: the console platform over the console API, tones through winmm's waveOut.
# Every program is linked statically, so nothing but Windows' own DLLs is needed beside it.
target_sources(vexamor_platform PRIVATE
  conio/platform/windows/win32_console.cpp conio/platform/windows/win32_timing.cpp
  conio/platform/windows/tones_waveout.cpp conio/platform/windows/standard_output.cpp)
target_link_libraries(vexamor_platform PUBLIC winmm user32)
add_link_options(-static -static-libgcc -static-libstdc++)
# GCC 12 reports impossible overlaps inside std::string's own copies when optimising
# (a known false positive of -Wrestrict), which -Werror would turn into a failed build.
target_compile_options(vexamor_warnings INTERFACE -Wno-restrict)

# The tests that start programs, use pipes, pseudo-terminals or SDL's audio drivers are for
# POSIX; the rest of the suite runs here under wine.
set(VEXAMOR_TARGET_TEST_EXCLUDE
  "/tests/(app/args_test|tools/replay_test|tools/replay_recording_test|tools/screenshots_test|menus/jingle_audio_test|platform/tones_test)\\.cpp$")

if(VEXAMOR_TESTS)
  # GoogleTest from the sources Debian ships, built with the cross compiler; a native build
  # with its own GoogleTest package (MSYS2's) sets the folder empty and uses that instead.
  set(VEXAMOR_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
  if(VEXAMOR_GOOGLETEST_SOURCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(${VEXAMOR_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
  # The test binary is run under wine by scripts/test-windows.sh; listing its tests at build
  # time would need wine in the build.
  set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
endif()

include(cmake/package-windows.cmake)

# Times presents on a real console (or wine's); the fake-console counts are in bench/.
add_executable(vexamor-console-bench bench/windows/console_present_timing.cpp)
target_link_libraries(vexamor-console-bench PRIVATE vexamor_game vexamor_warnings)

# Times the frame sleep on a real console (or wine's): bench/windows_timing_wine.sh.
add_executable(vexamor-timing-bench bench/windows/frame_timing.cpp)
target_link_libraries(vexamor-timing-bench PRIVATE vexamor_game vexamor_warnings)
