# Cross build for Windows with Debian's mingw-w64 (posix thread model).
# RADURE_WINDOWS_ARCH selects the target: i686 (the shipped PE32 executable) or x86_64.
if(NOT DEFINED RADURE_WINDOWS_ARCH)
  set(RADURE_WINDOWS_ARCH i686)
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${RADURE_WINDOWS_ARCH})

set(triple ${RADURE_WINDOWS_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER   ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER  ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test executables run under Wine through this wrapper (it picks the loader for the binary's machine).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
