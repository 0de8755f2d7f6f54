# Cross toolchain for Debian's mingw-w64 (posix thread model).
# VARN_ARCH selects the target: i686 (the shipped 32-bit program, the default)
# or x86_64 (used to run the tests where 32-bit Wine cannot run).
if(NOT DEFINED VARN_ARCH)
  set(VARN_ARCH "$ENV{VARN_ARCH}")
endif()
if(NOT VARN_ARCH)
  set(VARN_ARCH i686)
endif()
set(VARN_ARCH "${VARN_ARCH}" CACHE STRING "Target architecture: i686 or x86_64")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VARN_ARCH)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VARN_ARCH})
set(_triple ${VARN_ARCH}-w64-mingw32)

set(CMAKE_C_COMPILER   ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER  ${_triple}-windres)
set(CMAKE_AR           /usr/bin/${_triple}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB       /usr/bin/${_triple}-ranlib CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
