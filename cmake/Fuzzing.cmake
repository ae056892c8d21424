# libFuzzer builds (clang only): every object is instrumented for coverage and
# built with the address and undefined-behaviour sanitizers; the fuzz targets
# link libFuzzer's driver.
option(QV_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(QV_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "QV_FUZZ needs clang (the `fuzz` preset chooses clang++-14)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined
    -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
