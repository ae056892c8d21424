# Installing Quantiview like any other desktop program: the program, its icon,
# the menu entry, the project file type, the software-centre description, the
# man page and the example lots (the help manual installs itself through
# cmake/Help.cmake), and the Debian package that CPack makes of them.
#
# The menu entry, the metainfo file and the package share one application id.
include_guard(GLOBAL)
include(GNUInstallDirs)

set(QV_APP_ID "org.quantiview.Quantiview")
set(QV_DATA_DESTINATION "${CMAKE_INSTALL_DATADIR}/quantiview")
set(_packaging "${PROJECT_SOURCE_DIR}/packaging")
target_compile_definitions(quantiview_window PRIVATE QV_APP_ID="${QV_APP_ID}")

install(FILES "${_packaging}/quantiview.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
# The project files show the program's picture in the file manager.
install(FILES "${_packaging}/quantiview.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes"
        RENAME "application-x-quantiview-project.svg")
install(FILES "${_packaging}/${QV_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${_packaging}/quantiview.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages")
install(FILES "${_packaging}/${QV_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${_packaging}/screenshot.png" DESTINATION "${QV_DATA_DESTINATION}")
install(DIRECTORY "${PROJECT_SOURCE_DIR}/examples/"
        DESTINATION "${QV_DATA_DESTINATION}/examples")

# The man page is made from the program's own --help and --version, with the
# hand-written sections of packaging/quantiview.h2m, so the two never part.
# help2man runs the freshly built program; batch mode needs no display, and a
# sanitizer build must not fail the page on its leak report at exit.
find_program(QV_HELP2MAN help2man)
find_program(QV_GZIP gzip)
if(QV_HELP2MAN AND QV_GZIP)
  set(_man "${CMAKE_CURRENT_BINARY_DIR}/man/quantiview.1")
  add_custom_command(
    OUTPUT "${_man}" "${_man}.gz"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_CURRENT_BINARY_DIR}/man"
    COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            "${QV_HELP2MAN}" --no-info --section=1
            "--name=probability charts for sampling inspection by variables"
            "--include=${_packaging}/quantiview.h2m" "--output=${_man}"
            "$<TARGET_FILE:quantiview>"
    COMMAND "${QV_GZIP}" -9 -n -f -k "${_man}"
    DEPENDS quantiview "${_packaging}/quantiview.h2m"
    COMMENT "Writing the man page quantiview.1 from the program's --help"
    VERBATIM)
  add_custom_target(quantiview_man ALL DEPENDS "${_man}" "${_man}.gz")
  install(FILES "${_man}.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
else()
  message(WARNING "help2man or gzip not found (Debian: help2man); "
                  "the man page is neither built nor installed")
endif()

# The Debian package: `make package`, or cpack in a configured build folder.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "quantiview")
set(CPACK_PACKAGE_VENDOR "the Quantiview developers")
set(CPACK_PACKAGE_CONTACT "Quantiview developers <quantiview@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "probability charts for sampling inspection by variables")
set(CPACK_PACKAGE_DESCRIPTION [[
Quantiview shows a lot of measurements on a probability chart spaced by
Gaussian or Student's t quantiles, with the lot's statistics and the test
statistic Ts = mean + k*s of inspection by variables (k from the number of
points, the consumer's risk and the LTPD), limit lines, a least-squares fit
with confidence curves, an overlay lot and movable text boxes. Charts are
printed, copied, saved as pictures or as project files (.qvw). The same
program runs without a window to report a lot as JSON or export its chart.]])
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_RELEASE "1")
# The libraries the program links come from dpkg-shlibdeps; Qt's plug-ins are
# loaded at run time and so are named here: the SQLite driver that the help
# index needs, and the chart's font (Arial's metric twin).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
