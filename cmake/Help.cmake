# The program's help manual as a Qt compressed help file and its collection.
#
#   qv_add_help(<program> [OUTPUT_DIRECTORY <dir>] [SOURCE_DIRECTORY <dir>])
#
# Builds quantiview.qch (the pages, contents and keyword index of
# SOURCE_DIRECTORY/quantiview.qhp, default docs/help) and quantiview.qhc (the
# collection that registers it) into OUTPUT_DIRECTORY, which defaults to the
# folder that <program> is written to, so the program finds its help beside
# itself in the build tree. The custom target <program>_help does the work; it
# is part of "all", <program> depends on it, and it runs again whenever a page,
# the stylesheet, an image or the project file changes. Both files are
# installed into ${CMAKE_INSTALL_DATADIR}/quantiview, the program's second
# place to look. Without qhelpgenerator the function warns and adds nothing,
# so the program still builds.
include_guard(GLOBAL)
include(GNUInstallDirs)

function(qv_find_qhelpgenerator out_var)
  if(NOT TARGET Qt6::qhelpgenerator)
    # Debian's qt6-tools-dev-tools exports the tool through this package.
    find_package(Qt6 QUIET COMPONENTS ToolsTools)
  endif()
  if(TARGET Qt6::qhelpgenerator)
    set(${out_var} Qt6::qhelpgenerator PARENT_SCOPE)
    return()
  endif()
  set(hints /usr/lib/qt6/libexec /usr/lib/qt6/bin)
  if(QT6_INSTALL_PREFIX AND QT6_INSTALL_LIBEXECS)
    list(PREPEND hints "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS}")
  endif()
  find_program(QV_QHELPGENERATOR NAMES qhelpgenerator qhelpgenerator-qt6 HINTS ${hints})
  set(${out_var} "${QV_QHELPGENERATOR}" PARENT_SCOPE)
endfunction()

function(qv_add_help program)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "OUTPUT_DIRECTORY;SOURCE_DIRECTORY" "")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "qv_add_help: unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT TARGET ${program})
    message(FATAL_ERROR "qv_add_help: ${program} is not a target")
  endif()

  set(source_dir "${arg_SOURCE_DIRECTORY}")
  if(NOT source_dir)
    set(source_dir "${PROJECT_SOURCE_DIR}/docs/help")
  endif()
  cmake_path(ABSOLUTE_PATH source_dir BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}" NORMALIZE)

  set(output_dir "${arg_OUTPUT_DIRECTORY}")
  if(NOT output_dir)
    get_target_property(output_dir ${program} RUNTIME_OUTPUT_DIRECTORY)
    if(NOT output_dir)
      get_target_property(output_dir ${program} BINARY_DIR)
    endif()
  endif()
  cmake_path(ABSOLUTE_PATH output_dir BASE_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}" NORMALIZE)

  qv_find_qhelpgenerator(generator)
  if(NOT generator)
    message(WARNING "qhelpgenerator not found (Debian: qt6-tools-dev-tools); "
                    "the program is built without its help manual")
    return()
  endif()

  file(GLOB_RECURSE pages CONFIGURE_DEPENDS
       "${source_dir}/*.html" "${source_dir}/*.css" "${source_dir}/*.png" "${source_dir}/*.svg")
  set(qhp "${source_dir}/quantiview.qhp")
  set(qch "${output_dir}/quantiview.qch")
  set(qhc "${output_dir}/quantiview.qhc")

  # The collection registers the compressed file where it is built. Qt stores
  # the path relative to the collection, so the two files move together (to
  # the install tree, for example).
  set(collection_project "${CMAKE_CURRENT_BINARY_DIR}/${program}_help/quantiview.qhcp")
  file(CONFIGURE OUTPUT "${collection_project}" CONTENT [[
<?xml version="1.0" encoding="UTF-8"?>
<QHelpCollectionProject version="1.0">
  <docFiles>
    <register>
      <file>@qch@</file>
    </register>
  </docFiles>
</QHelpCollectionProject>
]] @ONLY)

  # The collection is written afresh each time: qhelpgenerator adds to an
  # existing one instead of replacing it.
  add_custom_command(
    OUTPUT "${qch}" "${qhc}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${output_dir}"
    COMMAND "${CMAKE_COMMAND}" -E rm -f "${qch}" "${qhc}"
    COMMAND ${generator} "${qhp}" -o "${qch}"
    COMMAND ${generator} "${collection_project}" -o "${qhc}"
    DEPENDS "${qhp}" ${pages} "${collection_project}"
    WORKING_DIRECTORY "${source_dir}"
    COMMENT "Building the help manual quantiview.qch and quantiview.qhc"
    VERBATIM)
  add_custom_target(${program}_help ALL DEPENDS "${qch}" "${qhc}")
  add_dependencies(${program} ${program}_help)

  install(FILES "${qch}" "${qhc}" DESTINATION "${CMAKE_INSTALL_DATADIR}/quantiview")
endfunction()
