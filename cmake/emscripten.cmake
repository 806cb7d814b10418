# Browser build with Debian's emscripten (package emscripten: emcc and em++
# on the PATH, emscripten itself in /usr/share/emscripten).
#
#   cmake --preset web        (or -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten.cmake)
#
# Test programs built here run under Node.js, which CTest uses as the
# emulator.
find_program(QUELLOR_EM_CONFIG em-config)
if(NOT QUELLOR_EM_CONFIG)
  message(FATAL_ERROR "emscripten not found (install the packages in tools/deps/web.txt)")
endif()
execute_process(COMMAND ${QUELLOR_EM_CONFIG} EMSCRIPTEN_ROOT OUTPUT_VARIABLE QUELLOR_EMSCRIPTEN_ROOT
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

# Node.js 18 and later fetch the program's WebAssembly with their own fetch(),
# which cannot read files; without it they read it from the disk.
find_program(QUELLOR_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUELLOR_NODE} --no-experimental-fetch CACHE STRING "Runs the test programs")

include(${QUELLOR_EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake)

# Debian's emcc runs its JavaScript optimiser with Node.js at link time, and
# the optimiser needs Debian's own Node.js modules.
set(CMAKE_C_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
