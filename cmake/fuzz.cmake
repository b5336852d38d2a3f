# libFuzzer targets, one per input surface (fuzz/*_fuzz.cpp). Only with clang: every
# library is built with coverage instrumentation and the sanitizers, each fuzz target is
# linked with libFuzzer's driver. scripts/fuzz.sh configures and runs this build.
option(VEXAMOR_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(NOT VEXAMOR_FUZZ)
  return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "VEXAMOR_FUZZ needs clang++ (libFuzzer): configure with CXX=clang++")
endif()

target_compile_options(vexamor_warnings INTERFACE
  -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_link_options(vexamor_warnings INTERFACE -fsanitize=address,undefined)

find_package(PkgConfig REQUIRED)
pkg_check_modules(VTERM REQUIRED IMPORTED_TARGET vterm)

# The command lines live in the two programs' own sources; the targets take them from there.
add_library(vexamor_fuzz_command_lines STATIC app/args.cpp tools/replay/options.cpp)
target_include_directories(vexamor_fuzz_command_lines PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_definitions(vexamor_fuzz_command_lines PRIVATE VEXAMOR_VERSION="${PROJECT_VERSION}")
target_link_libraries(vexamor_fuzz_command_lines PUBLIC vexamor_game vexamor_warnings)

add_library(vexamor_fuzz_vterm STATIC tests/vterm/vterm_screen.cpp)
target_link_libraries(vexamor_fuzz_vterm PUBLIC vexamor_platform PkgConfig::VTERM vexamor_warnings)

file(GLOB VEXAMOR_FUZZ_SOURCES CONFIGURE_DEPENDS fuzz/*_fuzz.cpp)
foreach(source ${VEXAMOR_FUZZ_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE vexamor_game vexamor_fuzz_command_lines vexamor_fuzz_vterm
                        vexamor_warnings)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endforeach()
