# Cross build for 64-bit Windows with Debian's mingw-w64 (package
# g++-mingw-w64-x86-64-posix): the core, lumeroll-cli and the core's tests.
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
#         -DLUMEROLL_GUI=OFF -DLUMEROLL_BENCH=OFF -DLUMEROLL_BROWSER_TESTS=OFF
#
# The editor as well needs a Qt for Windows (scripts/build-qt-windows makes
# one); name its prefix with -DLUMEROLL_QT_WINDOWS=... and leave out
# -DLUMEROLL_GUI=OFF.
#
# The posix flavour of the compiler is the one with std::thread and friends.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LUMEROLL_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${LUMEROLL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUMEROLL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${LUMEROLL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LUMEROLL_MINGW_PREFIX})
# A Qt built for Windows lives outside the compiler's root; its prefix joins
# the roots searched for packages and libraries.
if(LUMEROLL_QT_WINDOWS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${LUMEROLL_QT_WINDOWS})
  list(APPEND CMAKE_PREFIX_PATH ${LUMEROLL_QT_WINDOWS})
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES LUMEROLL_QT_WINDOWS)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything linked in, so the programs run on a bare Windows (or Wine)
# without the compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# GCC 12's -Wrestrict warns about its own std::string code at -O2 (GCC bug
# 105329), which would bury any real warning.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
