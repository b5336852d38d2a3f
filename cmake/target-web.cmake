# The browser, through emscripten: the game runs its blocking loop unchanged under ASYNCIFY
# (every wait yields to the browser), draws through the page's xterm.js and sounds its tones
# through Web Audio; the page glue lives in web/. The replay tool is built for node, as one
# self-contained file, so that its trace can be compared with the native one.
target_sources(vexamor_platform PRIVATE
  conio/platform/web/web_platform.cpp conio/platform/web/tones_web.cpp
  conio/platform/web/standard_output.cpp conio/platform/web/page_recordings.cpp)

set(VEXAMOR_WEB_LIBRARY ${CMAKE_SOURCE_DIR}/conio/platform/web/host_library.js)

# The executables are defined after this file is read, so their link options are set once
# the whole CMakeLists has been read.
function(vexamor_web_executables)

  # The game: a module the page instantiates (createVexamor), calling into the page's host
  # object for output, input and tones. Its exit is the end of the program, shown by the page.
  target_link_options(vexamor PRIVATE
    -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
    -sENVIRONMENT=web -sMODULARIZE -sEXPORT_NAME=createVexamor
    -sINITIAL_MEMORY=16777216 -sALLOW_MEMORY_GROWTH=0
    -sFILESYSTEM=0 -sASYNCIFY_IMPORTS=vexamor_host_wait
    --js-library=${VEXAMOR_WEB_LIBRARY})
  set_target_properties(vexamor PROPERTIES LINK_DEPENDS ${VEXAMOR_WEB_LIBRARY})

  # NODERAWFS: the replay tool's key file (or standard input) is read from the real files.
  target_link_options(vexamor-replay PRIVATE -sENVIRONMENT=node -sSINGLE_FILE -sEXIT_RUNTIME -sNODERAWFS)

  # Cost of a tick and its present in the browser, run by bench/web_figures.mjs.
  add_executable(vexamor-web-bench bench/web/tick_present.cpp)
  target_link_libraries(vexamor-web-bench PRIVATE vexamor_game vexamor_warnings)
  target_link_options(vexamor-web-bench PRIVATE -sENVIRONMENT=web -sMODULARIZE
    -sEXPORT_NAME=createVexamorBench -sFILESYSTEM=0
    --js-library=${VEXAMOR_WEB_LIBRARY})
endfunction()
cmake_language(DEFER CALL vexamor_web_executables)
