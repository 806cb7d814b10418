# The web platform: the layer's Win32 core over the browser backend, built
# with emscripten (cmake --preset web) into a page anyone can open:
# index.html, quellor.js and quellor.wasm, the font, the icon and the
# licences, in the build directory. FreeType and the GLU tessellator come
# from tools/web-deps.sh's prefix; the OpenGL 1.1 the program draws with is
# the display-list piece over WebGL (gl/). Test programs run under Node.js.
set(QUELLOR_WEB_DEPS ${PROJECT_SOURCE_DIR}/build/web-deps CACHE PATH
    "tools/web-deps.sh's prefix: FreeType and the GLU tessellator built with emcc")
foreach(library freetype GLU)
  if(NOT EXISTS ${QUELLOR_WEB_DEPS}/lib/lib${library}.a)
    message(FATAL_ERROR "no ${QUELLOR_WEB_DEPS}/lib/lib${library}.a: run tools/web-deps.sh first")
  endif()
endforeach()
add_library(quellor_web_freetype STATIC IMPORTED)
set_target_properties(quellor_web_freetype PROPERTIES IMPORTED_LOCATION ${QUELLOR_WEB_DEPS}/lib/libfreetype.a
                      INTERFACE_INCLUDE_DIRECTORIES ${QUELLOR_WEB_DEPS}/include/freetype2)
add_library(quellor_web_glu STATIC IMPORTED)
set_target_properties(quellor_web_glu PROPERTIES IMPORTED_LOCATION ${QUELLOR_WEB_DEPS}/lib/libGLU.a
                      INTERFACE_INCLUDE_DIRECTORIES ${QUELLOR_WEB_DEPS}/include)
set(QUELLOR_WEBGL_SINK ON)
add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/gl ${CMAKE_BINARY_DIR}/web-gl)

set(QUELLOR_LAYER ON)
set(QUELLOR_BACKEND_SOURCES
  web/web_video.cpp
  web/web_events.cpp
  web/web_keys.cpp
  web/web_gl.cpp
  web/web_modes.cpp
  web/web_msgbox.cpp
  web/web_time.cpp
  web/web_fonts.cpp)
# The core cuts glyphs with FreeType and the GLU tessellator and draws with
# the display-list piece, as the renderer does.
set(QUELLOR_CORE_LIBS quellor_gl_names quellor_web_glu quellor_web_freetype)
set(QUELLOR_GL_LIBS quellor_gl_names quellor_web_glu)
set(QUELLOR_DRIVER_SOURCES testing/time.cpp testing/driver.cpp)
set(QUELLOR_TEST_AREAS game web browser)
set(QUELLOR_TESTS_UNDER_EMULATOR ON)
set(QUELLOR_GTEST_SOURCE /usr/src/googletest)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
# Test programs end with their status under Node.js, and may grow their memory.
string(APPEND CMAKE_EXE_LINKER_FLAGS " -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1")
set(QUELLOR_FUZZ OFF)

# The font the desktop build finds for "Verdana" in bold on Debian, cut down
# to the characters the program can ask for (page/fonts, made by
# subset-font.py from Debian's fonts-dejavu-core, with the package's
# copyright file as its licence; tests/fonts/page_font_test.cpp holds it to
# the machine's).
set(QUELLOR_WEB_FONT ${CMAKE_CURRENT_LIST_DIR}/page/fonts/DejaVuSans-Bold.ttf)
set(QUELLOR_WEB_FONT_LICENSE ${CMAKE_CURRENT_LIST_DIR}/page/fonts/DejaVu-fonts.txt)

# The program as the page runs it. The page (page/index.html) starts main()
# itself once the program and its font have loaded, and learns its exit
# status when it returns; the program's turns (web_time.cpp) unwind and
# rewind its stack with asyncify. The turns are only ever taken in calls
# the program makes directly, never through a function pointer (the core
# gives no turn inside a window procedure), so indirect calls need no
# instrumenting. Data starts above the first 64 KiB, where Win32 takes a
# pointer for an atom.
function(quellor_web_program target)
  set_target_properties(${target} PROPERTIES SUFFIX ".js")
  target_link_options(${target} PRIVATE
    -sASYNCIFY -sASYNCIFY_IGNORE_INDIRECT=1 -sASYNCIFY_STACK_SIZE=16384
    -sINVOKE_RUN=0 -sEXIT_RUNTIME=0 "-sEXPORTED_RUNTIME_METHODS=['ccall','FS']"
    -sENVIRONMENT=web -sGLOBAL_BASE=65536 -sALLOW_MEMORY_GROWTH=1
    -sMIN_WEBGL_VERSION=1 -sMAX_WEBGL_VERSION=1
    "SHELL:--pre-js ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/web_fonts.js")
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/web_fonts.js)
  # The rest of the page, beside the program.
  set(page ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/page)
  configure_file(${page}/index.html ${CMAKE_BINARY_DIR}/index.html COPYONLY)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/quellor.svg ${CMAKE_BINARY_DIR}/quellor.svg COPYONLY)
  configure_file(${QUELLOR_WEB_FONT} ${CMAKE_BINARY_DIR}/fonts/DejaVuSans-Bold.ttf COPYONLY)
  configure_file(${QUELLOR_WEB_FONT_LICENSE} ${CMAKE_BINARY_DIR}/licenses/DejaVu-fonts.txt COPYONLY)
  configure_file(${QUELLOR_WEB_DEPS}/licenses/FreeType.txt ${CMAKE_BINARY_DIR}/licenses/FreeType.txt COPYONLY)
  configure_file(${QUELLOR_WEB_DEPS}/licenses/libtess.txt ${CMAKE_BINARY_DIR}/licenses/GLU-tessellator.txt COPYONLY)
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/LICENSE.txt COPYONLY)
endfunction()
set(QUELLOR_PROGRAM_HOOK quellor_web_program)
