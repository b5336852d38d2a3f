# The soak driver (bench/soak/): the program headless for a million ticks; bench/soak.sh
# builds it under the sanitizers and runs it.
option(VEXAMOR_SOAK "Build the soak driver" OFF)
if(VEXAMOR_SOAK)
  add_executable(vexamor_soak bench/soak/soak.cpp)
  target_link_libraries(vexamor_soak PRIVATE vexamor_game vexamor_warnings)
endif()
