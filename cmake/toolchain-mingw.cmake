# Cross-compiling for Windows with Debian's mingw-w64 (POSIX threads):
# 64-bit, or 32-bit with -DVELMORA_WINDOWS_BITS=32.
set(CMAKE_SYSTEM_NAME Windows)
if(VELMORA_WINDOWS_BITS STREQUAL "32")
    set(CMAKE_SYSTEM_PROCESSOR i686)
else()
    set(CMAKE_SYSTEM_PROCESSOR x86_64)
endif()
# The compiler checks read this file again in a project of their own.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELMORA_WINDOWS_BITS)
set(triple ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
