# The 64-bit cross build with the win32-thread variant of the compilers.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/mingw-x86_64.cmake)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-win32)
