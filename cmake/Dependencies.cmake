# Libraries the program and its tests build against.
#
# On Windows the platform is the system itself (opengl32, glu32, gdi32,
# user32, kernel32, winmm). Elsewhere our own layer stands in for it, built on
# SDL2, fontconfig, FreeType and the GLU tessellator.
if(WIN32)
  set(QUELLOR_PLATFORM_LIBS opengl32 glu32 gdi32 user32 kernel32 winmm)
else()
  set(OpenGL_GL_PREFERENCE LEGACY)
  find_package(OpenGL REQUIRED COMPONENTS OpenGL)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
  pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
  pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
  pkg_check_modules(GLU REQUIRED IMPORTED_TARGET glu)
endif()

if(QUELLOR_TESTS)
  if(WIN32 AND CMAKE_CROSSCOMPILING)
    # The Windows test programs: GoogleTest built for the target from
    # Debian's sources (package googletest), which define GTest::gtest and
    # GTest::gtest_main themselves.
    set(QUELLOR_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${QUELLOR_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  else()
    find_package(GTest REQUIRED)
  endif()
  include(GoogleTest)
endif()
