# Third-party code, all from Debian's packages.

# zlib: the static mingw-w64 build from libz-mingw-w64-dev.
find_library(VARN_ZLIB NAMES libz.a z REQUIRED)
find_path(VARN_ZLIB_INCLUDE zlib.h REQUIRED)
add_library(varn_zlib INTERFACE)
target_link_libraries(varn_zlib INTERFACE ${VARN_ZLIB})
target_include_directories(varn_zlib INTERFACE ${VARN_ZLIB_INCLUDE})

# stb_image: only its own folder goes on the include path, never /usr/include as a whole.
set(VARN_STB_DIR /usr/include/stb CACHE PATH "Folder holding stb_image.h")
if(NOT EXISTS ${VARN_STB_DIR}/stb_image.h)
  message(FATAL_ERROR "stb_image.h not found in ${VARN_STB_DIR} (install libstb-dev)")
endif()
add_library(varn_stb INTERFACE)
target_include_directories(varn_stb SYSTEM INTERFACE ${VARN_STB_DIR})

# GoogleTest, built from Debian's sources with the cross compiler.
if(VARN_BUILD_TESTS OR NOT DEFINED VARN_BUILD_TESTS)
  set(VARN_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${VARN_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
