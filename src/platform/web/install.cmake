# What the browser build installs: the static files of the page, for the
# .zip anyone can put on a web server (cmake/Packaging.cmake includes it).
install(FILES ${CMAKE_BINARY_DIR}/index.html $<TARGET_FILE:quellor> $<TARGET_FILE_DIR:quellor>/quellor.wasm
              ${CMAKE_BINARY_DIR}/quellor.svg ${CMAKE_BINARY_DIR}/LICENSE.txt DESTINATION .)
install(DIRECTORY ${CMAKE_BINARY_DIR}/fonts ${CMAKE_BINARY_DIR}/licenses DESTINATION .)
