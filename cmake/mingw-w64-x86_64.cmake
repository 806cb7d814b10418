# Cross build for 64-bit Windows with Debian's mingw-w64 (posix thread model).
#
#   cmake --preset windows        (or -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake)
#
# Programs link the C and C++ runtimes statically, so quellor.exe needs only
# DLLs that come with every Windows: the platform ones (opengl32, glu32,
# gdi32, user32, kernel32, winmm) and msvcrt, the system's C runtime, which the
# mingw-w64 runtime itself is built on. Test programs built here run under
# Wine through tools/wine-run.sh, which CTest uses as the emulator.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUELLOR_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUELLOR_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUELLOR_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUELLOR_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${QUELLOR_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "archiver")
set(CMAKE_RANLIB ${QUELLOR_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "ranlib")

set(CMAKE_FIND_ROOT_PATH /usr/${QUELLOR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No libgcc_s, libstdc++ or libwinpthread DLLs beside the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

get_filename_component(QUELLOR_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUELLOR_WINE_RUN})
