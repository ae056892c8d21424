# Run as a test: cmake -DSRC=<src> -P CheckGuiLayers.cmake
# The window's folders include downwards only: the application (gui/app) ties the
# dialogs, the outputs and the widgets together, so none of those includes it; the
# widgets are the bottom and include neither the dialogs nor the outputs. Batch
# mode runs without a desktop, so nothing in src/batch includes the gui.
set(rules
  "gui/dialogs|gui/app/"
  "gui/output|gui/app/"
  "gui/widgets|gui/app/"
  "gui/widgets|gui/dialogs/"
  "gui/widgets|gui/output/"
  "batch|gui/")
set(faults "")
set(count 0)
foreach(rule IN LISTS rules)
  string(REPLACE "|" ";" parts "${rule}")
  list(GET parts 0 folder)
  list(GET parts 1 forbidden)
  file(GLOB_RECURSE files ${SRC}/${folder}/*.h ${SRC}/${folder}/*.cpp)
  if(NOT files)
    list(APPEND faults "${folder}: no files found")
  endif()
  foreach(file IN LISTS files)
    math(EXPR count "${count} + 1")
    file(RELATIVE_PATH rel ${SRC} ${file})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*" "\\1" path "${line}")
      string(FIND "${path}" "${forbidden}" at)
      if(at EQUAL 0)
        list(APPEND faults "${rel} includes ${path}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "Include order of src/gui and src/batch broken:\n${text}")
endif()
message(STATUS "src/gui and src/batch: ${count} file checks, no folder includes one above it")
