# Cross build for Windows (i686) with Debian's MinGW-w64 compilers.
# MINGW_VARIANT picks the thread model: win32 for the shipped programs (no
# winpthread inside, about 30 KB smaller), posix for the test programs run
# under Wine, because GoogleTest needs std::mutex, which GCC 12's win32
# variant lacks. Either way the static programs import only system DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_VARIANT posix CACHE STRING "MinGW-w64 thread variant: win32 or posix")
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-${MINGW_VARIANT})
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-${MINGW_VARIANT})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
