# Cross-compiles for 64-bit Windows with the mingw-w64 toolchain:
#   cmake -S . -B build/mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DRAV_MINGW_TRIPLE x86_64-w64-mingw32)
# The POSIX-threads flavour has std::mutex and std::thread, which GoogleTest needs.
find_program(CMAKE_C_COMPILER NAMES ${DRAV_MINGW_TRIPLE}-gcc-posix ${DRAV_MINGW_TRIPLE}-gcc)
find_program(CMAKE_CXX_COMPILER NAMES ${DRAV_MINGW_TRIPLE}-g++-posix ${DRAV_MINGW_TRIPLE}-g++)
set(CMAKE_RC_COMPILER ${DRAV_MINGW_TRIPLE}-windres)

# Headers and libraries come from the cross sysroot only; programs run on the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${DRAV_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Lets CTest run the cross-built test programs through Wine.
find_program(DRAV_WINE_PROGRAM NAMES wine wine64)
if(DRAV_WINE_PROGRAM)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${DRAV_WINE_PROGRAM})
endif()
