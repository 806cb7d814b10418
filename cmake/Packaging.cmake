# Release packages, made with CPack from the game's install rules:
#   Linux build:   a .deb with the game in /usr/games, a menu entry and an icon
#   Windows build: a .zip with quellor.exe and a short README
# tools/make-packages.sh builds both and puts them in build/packages.
if(NOT TARGET quellor)
  return()
endif()

set(CPACK_PACKAGE_NAME quellor)
set(CPACK_PACKAGE_VENDOR "Quellor developers")
set(CPACK_PACKAGE_CONTACT "Quellor developers <quellor@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)

if(WIN32)
  install(TARGETS quellor RUNTIME DESTINATION .)
  # Windows line ends, so that every text viewer shows the lines.
  configure_file(${PROJECT_SOURCE_DIR}/packaging/README-windows.txt ${CMAKE_BINARY_DIR}/README.txt
                 @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME quellor-${PROJECT_VERSION}-windows-x64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  include(GNUInstallDirs)
  install(TARGETS quellor RUNTIME DESTINATION games)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/quellor.desktop DESTINATION share/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/quellor.svg DESTINATION share/icons/hicolor/scalable/apps)

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The summary line comes from CPACK_PACKAGE_DESCRIPTION_SUMMARY.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "Steer a snake of unit cubes around a walled board with the arrow keys;\neating the food makes it longer and scores points. Drawn with OpenGL 1.1.")
  # The libraries it links, with their versions, found by dpkg-shlibdeps
  # (libc6, libstdc++6, libgcc-s1, libsdl2-2.0-0, libfontconfig1,
  # libfreetype6, libglu1-mesa, libgl1); the score's outline font comes from
  # fontconfig at run time.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
endif()

include(CPack)
