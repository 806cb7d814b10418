# What the game installs (cmake --install), from which the release packages
# are made (tools/make-packages.sh):
#   Linux build:   /usr/games/quellor, its menu entry, its SVG icon and its
#                  AppStream metadata; the Debian package (debian/) adds the
#                  PNG icons and the manual page
#   Windows build: quellor.exe, README.txt and LICENSE.txt with Windows line
#                  ends, for the .zip and the installer
if(NOT TARGET quellor)
  return()
endif()

# The project's home page, and the AppStream id made from its name.
set(QUELLOR_HOMEPAGE "https://quellor.example.org/" CACHE STRING "The project's home page (ends in /)")
set(QUELLOR_APPSTREAM_ID org.example.quellor)

include(${PROJECT_SOURCE_DIR}/src/platform/${QUELLOR_PLATFORM}/install.cmake)
