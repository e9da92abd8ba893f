# The 32-bit cross build with the win32-thread variant of the compilers: the
# programs build with it, the test programs (which need std::mutex) do not.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/mingw-i686.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
