# Compile and link settings for every target of the build, the tests' own included: the tests
# exercise the code as it ships.

# Size: the program is downloaded and started by every user who removes the product. Our code
# raises no exceptions, so it needs neither unwind tables nor the runtime's handlers, and asks
# no object for its type at run time (no type records); unused functions and data go at link
# time. Objects carry no compiler name (-fno-ident).
set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
add_compile_options(
  "$<$<COMPILE_LANGUAGE:C,CXX>:-ffunction-sections;-fdata-sections;-fno-asynchronous-unwind-tables;-fno-ident>"
  "$<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions;-fno-rtti>")
add_link_options(-Wl,--gc-sections)

# Reproducible: the same commit gives the same bytes wherever and whenever it is built. No
# time stamp in the PE header, and no folder of this machine in any file name the compiler
# records (the binary folder first: it may lie inside the source folder).
add_compile_options(
  "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}=build;-ffile-prefix-map=${CMAKE_SOURCE_DIR}=src>")
add_link_options(-Wl,--no-insert-timestamp)

# Whole-program optimisation of the shipped program (about 7 per cent smaller): the project's
# own code is compiled with both link-time and ordinary object code, so the test programs link
# the ordinary code and every build of the uninstaller (the tests' copies included) is
# optimised across all of its sources. GCC 12 for this target fails inside its partitioned
# link-time compile, so the program is compiled as one partition.
option(VARN_LTO "Optimise the uninstaller across all of its sources at link time" ON)
if(VARN_LTO)
  set(VARN_LTO_COMPILE_OPTIONS "$<$<COMPILE_LANGUAGE:C,CXX>:-flto;-ffat-lto-objects>")
  set(VARN_LTO_LINK_OPTIONS -flto -flto-partition=one)
  # Without this the linker would optimise every program that links such objects.
  add_link_options(-fno-lto)
endif()
