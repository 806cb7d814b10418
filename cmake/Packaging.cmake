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

if(WIN32)
  install(TARGETS quellor RUNTIME DESTINATION .)
  # Windows line ends, so that every text viewer shows the lines.
  configure_file(${PROJECT_SOURCE_DIR}/packaging/README-windows.txt ${CMAKE_BINARY_DIR}/README.txt
                 @ONLY NEWLINE_STYLE CRLF)
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/README.txt ${CMAKE_BINARY_DIR}/LICENSE.txt DESTINATION .)
else()
  install(TARGETS quellor RUNTIME DESTINATION games)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/quellor.desktop DESTINATION share/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/quellor.svg DESTINATION share/icons/hicolor/scalable/apps)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/quellor.metainfo.xml.in
                 ${CMAKE_BINARY_DIR}/${QUELLOR_APPSTREAM_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/${QUELLOR_APPSTREAM_ID}.metainfo.xml DESTINATION share/metainfo)
endif()
