# Warning flags for the project's own targets, linked PRIVATE.
add_library(qv_warnings INTERFACE)
target_compile_options(qv_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual)
if(QV_WERROR)
  target_compile_options(qv_warnings INTERFACE -Werror)
endif()
