# The Windows platform: the system itself is the platform (opengl32, glu32,
# gdi32, user32, kernel32, winmm), so there is no layer. Test programs run
# under Wine (the cross build's emulator); GoogleTest is built for the target
# from Debian's sources (package googletest).
set(QUELLOR_SYSTEM_LIBS opengl32 glu32 gdi32 user32 kernel32 winmm)
set(QUELLOR_GL_LIBS opengl32 glu32)
# Virtual time only, put in place by redirecting the test program's own
# imports of the clock operations.
set(QUELLOR_DRIVER_SOURCES testing/time_windows.cpp)
set(QUELLOR_EXECUTABLE_KIND WIN32)
set(QUELLOR_TEST_AREAS game clock web windows)
set(QUELLOR_TESTS_UNDER_EMULATOR ON)
set(QUELLOR_GTEST_SOURCE /usr/src/googletest)
# The program's icon, version information and manifest
# (packaging/windows/resources.cmake), and no link time stamp, so that two
# builds of one commit are the same file.
include(${PROJECT_SOURCE_DIR}/packaging/windows/resources.cmake)
set(QUELLOR_PROGRAM_HOOK quellor_add_program_resources)
add_link_options(-Wl,--no-insert-timestamp)
# The fuzz targets need the layer's driver.
set(QUELLOR_FUZZ OFF)
