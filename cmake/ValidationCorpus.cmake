# The validation corpus (validation/ at the top of the source tree): reference
# cases and the lots they read, installed with the program.
#
#   qv_add_validation_corpus(<library>)
#
# Writes CorpusManifest.cpp, the list of the corpus files with the SHA-256 of
# each, into the build folder and compiles it into <library>, so the program
# knows the corpus it was built with. Configuring runs again when a corpus file
# changes, a file is added or one is removed. The corpus is copied to
# share/quantiview/validation in the build folder, where the program built
# there finds it as the installed one finds its own (../share/quantiview/validation
# from the program's folder), and installed to ${CMAKE_INSTALL_DATADIR}/quantiview/validation.
include_guard(GLOBAL)
include(GNUInstallDirs)

set(QV_VALIDATION_SOURCE_DIR "${PROJECT_SOURCE_DIR}/validation")

function(qv_add_validation_corpus library)
  file(GLOB_RECURSE files RELATIVE "${QV_VALIDATION_SOURCE_DIR}" CONFIGURE_DEPENDS
       "${QV_VALIDATION_SOURCE_DIR}/*")
  list(SORT files)
  set(entries "")
  foreach(file IN LISTS files)
    file(SHA256 "${QV_VALIDATION_SOURCE_DIR}/${file}" sum)
    string(APPEND entries "    {\"${file}\", \"${sum}\"},\n")
    set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 "${QV_VALIDATION_SOURCE_DIR}/${file}")
  endforeach()
  set(manifest "${CMAKE_CURRENT_BINARY_DIR}/CorpusManifest.cpp")
  file(CONFIGURE OUTPUT "${manifest}" CONTENT [[
// Made by the build from the validation corpus; do not edit.
#include "core/validation/CorpusManifest.h"

namespace qv {

namespace {

constexpr CorpusFile Files[] = {
@entries@};

} // namespace

std::span<const CorpusFile> builtInCorpus()
{
    return Files;
}

} // namespace qv
]] @ONLY)
  target_sources(${library} PRIVATE "${manifest}")

  set(build_copy "${CMAKE_BINARY_DIR}/share/quantiview/validation")
  file(REMOVE_RECURSE "${build_copy}")
  file(COPY "${QV_VALIDATION_SOURCE_DIR}/" DESTINATION "${build_copy}")
  install(DIRECTORY "${QV_VALIDATION_SOURCE_DIR}/"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/quantiview/validation")
endfunction()
