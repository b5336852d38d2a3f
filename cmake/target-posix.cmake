# POSIX terminal: termios session and signals, the terminal platform, tones through SDL2's
# audio subsystem when its development files are there and a silent timeline otherwise.
find_package(Threads REQUIRED)
find_package(SDL2 CONFIG QUIET)
target_sources(vexamor_platform PRIVATE
  conio/platform/posix/terminal_platform.cpp conio/platform/posix/terminal_session.cpp
  conio/platform/posix/standard_output.cpp)
target_link_libraries(vexamor_platform PRIVATE Threads::Threads ${CMAKE_DL_LIBS})
if(SDL2_FOUND)
  target_sources(vexamor_platform PRIVATE conio/platform/posix/tones_sdl.cpp)
  target_link_libraries(vexamor_platform PRIVATE SDL2::SDL2)
else()
  target_sources(vexamor_platform PRIVATE conio/platform/posix/tones_silent.cpp)
  message(WARNING "SDL2 development files not found: VEXAMOR builds without sound (install libsdl2-dev for tones).")
endif()
