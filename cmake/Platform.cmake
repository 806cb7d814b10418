# The one build switch: QUELLOR_PLATFORM, the platform the program is built
# for, chosen from the toolchain unless given:
#   windows  the real Win32 system (mingw-w64 cross build)
#   sdl      our layer's Win32 core over the SDL backend (Linux desktops)
#   web      our layer's Win32 core over the browser backend (emscripten)
# The platform's own file, src/platform/<platform>/platform.cmake, then says
# everything the rest of the build needs to know of it, so nothing else
# branches on the platform:
#   QUELLOR_LAYER               ON when the layer stands in for the system
#   QUELLOR_BACKEND_SOURCES     the backend's sources (with QUELLOR_LAYER)
#   QUELLOR_CORE_LIBS           what the layer's core links (GL, GLU's tessellator, FreeType)
#   QUELLOR_BACKEND_LIBS        what the backend links
#   QUELLOR_SYSTEM_LIBS         the system libraries (without QUELLOR_LAYER)
#   QUELLOR_GL_LIBS             what the renderer links for OpenGL 1.1 and GLU
#   QUELLOR_DRIVER_SOURCES      the test driver's sources
#   QUELLOR_EXECUTABLE_KIND     the program's add_executable() kind (WIN32 or empty)
#   QUELLOR_PROGRAM_SOURCES     extra sources of the program
#   QUELLOR_PROGRAM_HOOK        a function called with the program's target (resources)
# and src/platform/<platform>/install.cmake what the program installs.
#   QUELLOR_TEST_AREAS          the folders of tests/ that build here
#   QUELLOR_TOOL_DIRS           the folders of tools/ that build here
#   QUELLOR_TESTS_UNDER_EMULATOR  test programs run under an emulator (one CTest test each)
#   QUELLOR_GTEST_SOURCE        GoogleTest built from these sources (empty: the installed one)
if(NOT QUELLOR_PLATFORM)
  if(WIN32)
    set(platform windows)
  elseif(EMSCRIPTEN)
    set(platform web)
  else()
    set(platform sdl)
  endif()
  set(QUELLOR_PLATFORM ${platform} CACHE STRING "The platform built for: windows, sdl or web")
endif()
set_property(CACHE QUELLOR_PLATFORM PROPERTY STRINGS windows sdl web)
set(QUELLOR_PLATFORM_FILE ${PROJECT_SOURCE_DIR}/src/platform/${QUELLOR_PLATFORM}/platform.cmake)
if(NOT EXISTS ${QUELLOR_PLATFORM_FILE})
  message(FATAL_ERROR "QUELLOR_PLATFORM ${QUELLOR_PLATFORM}: no ${QUELLOR_PLATFORM_FILE}")
endif()
message(STATUS "Quellor platform: ${QUELLOR_PLATFORM}")

set(QUELLOR_LAYER OFF)
set(QUELLOR_BACKEND_SOURCES "")
set(QUELLOR_CORE_LIBS "")
set(QUELLOR_BACKEND_LIBS "")
set(QUELLOR_SYSTEM_LIBS "")
set(QUELLOR_GL_LIBS "")
set(QUELLOR_DRIVER_SOURCES "")
set(QUELLOR_EXECUTABLE_KIND "")
set(QUELLOR_PROGRAM_SOURCES "")
set(QUELLOR_PROGRAM_HOOK "")
set(QUELLOR_TEST_AREAS "")
set(QUELLOR_TOOL_DIRS "")
set(QUELLOR_TESTS_UNDER_EMULATOR OFF)
set(QUELLOR_GTEST_SOURCE "")
include(${QUELLOR_PLATFORM_FILE})

if(QUELLOR_TESTS)
  if(QUELLOR_GTEST_SOURCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${QUELLOR_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  else()
    find_package(GTest REQUIRED)
  endif()
  include(GoogleTest)
endif()
