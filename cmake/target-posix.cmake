# POSIX terminal: termios session and signals, the terminal platform, tones through SDL2's
# audio subsystem when its development files are there and a silent timeline otherwise.
# Only POSIX calls are used (Linux, macOS and the BSDs alike: select() rather than poll(),
# which macOS does not support on terminals); the ALSA message silencing is looked up at
# run time and does nothing where ALSA is not installed.
find_package(Threads REQUIRED)
find_package(SDL2 CONFIG QUIET)
target_sources(vexamor_platform PRIVATE
  conio/platform/posix/terminal_platform.cpp conio/platform/posix/terminal_session.cpp
  conio/platform/posix/standard_output.cpp conio/platform/posix/wait_fds.cpp)
target_link_libraries(vexamor_platform PRIVATE Threads::Threads ${CMAKE_DL_LIBS})
if(SDL2_FOUND)
  target_sources(vexamor_platform PRIVATE conio/platform/posix/tones_sdl.cpp)
  target_link_libraries(vexamor_platform PRIVATE SDL2::SDL2)
else()
  target_sources(vexamor_platform PRIVATE conio/platform/posix/tones_silent.cpp)
  message(WARNING "SDL2 development files not found: VEXAMOR builds without sound (install libsdl2-dev for tones).")
endif()

# A C++ library other than the system's (clang's libc++) cannot link the system's GoogleTest,
# built against libstdc++: such builds name GoogleTest's sources and get it built with them.
set(VEXAMOR_GOOGLETEST_SOURCE "" CACHE PATH "GoogleTest sources to build with the tests (empty: the installed GoogleTest)")
if(VEXAMOR_TESTS AND VEXAMOR_GOOGLETEST_SOURCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${VEXAMOR_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
