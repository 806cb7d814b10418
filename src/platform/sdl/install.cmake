# What the Linux build installs under its prefix, for the Debian package
# (cmake/Packaging.cmake includes it).
install(TARGETS quellor RUNTIME DESTINATION games)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/quellor.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/quellor.svg DESTINATION share/icons/hicolor/scalable/apps)
configure_file(${PROJECT_SOURCE_DIR}/packaging/quellor.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/${QUELLOR_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${QUELLOR_APPSTREAM_ID}.metainfo.xml DESTINATION share/metainfo)
