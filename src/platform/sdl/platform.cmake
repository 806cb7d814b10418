# The SDL platform: the layer's Win32 core over the SDL backend, for Linux
# desktops (X11, or Wayland through SDL), with fontconfig for font files.
set(OpenGL_GL_PREFERENCE LEGACY)
find_package(OpenGL REQUIRED COMPONENTS OpenGL)
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(GLU REQUIRED IMPORTED_TARGET glu)
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)
pkg_check_modules(XRANDR REQUIRED IMPORTED_TARGET xrandr)

set(QUELLOR_LAYER ON)
set(QUELLOR_BACKEND_SOURCES
  sdl/sdl_video.cpp
  sdl/sdl_events.cpp
  sdl/sdl_keys.cpp
  sdl/sdl_gl.cpp
  sdl/sdl_modes.cpp
  sdl/sdl_msgbox.cpp
  sdl/posix_time.cpp
  sdl/posix_signals.cpp
  sdl/fontconfig.cpp
  sdl/x11.cpp
  sdl/x11_display_guard.cpp)
set(QUELLOR_BACKEND_LIBS PkgConfig::SDL2 PkgConfig::FONTCONFIG PkgConfig::X11 PkgConfig::XRANDR)
# The core cuts glyphs with FreeType and the GLU tessellator and draws with GL.
set(QUELLOR_CORE_LIBS OpenGL::GL PkgConfig::GLU PkgConfig::FREETYPE)
set(QUELLOR_GL_LIBS OpenGL::GL PkgConfig::GLU)
set(QUELLOR_DRIVER_SOURCES testing/time.cpp testing/driver.cpp)
set(QUELLOR_TEST_AREAS game clock web platform fonts render app e2e soak faults)
set(QUELLOR_TOOL_DIRS render-frames)
