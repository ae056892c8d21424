# Warning flags for the project's own targets, linked PRIVATE.
add_library(qv_warnings INTERFACE)
if(MSVC)
  target_compile_options(qv_warnings INTERFACE /W4 /permissive- /utf-8)
  if(QV_WERROR)
    target_compile_options(qv_warnings INTERFACE /WX)
  endif()
  return()
endif()
target_compile_options(qv_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual)
# GCC 12 reports std::string concatenations as overlapping copies when it
# inlines them at -O2 and above (a known false positive); it finds no real fault.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(qv_warnings INTERFACE -Wno-restrict)
endif()
if(QV_WERROR)
  target_compile_options(qv_warnings INTERFACE -Werror)
endif()
