# Qt's own texts (a text field's context menu, the buttons of a message box) in Persian,
# from our own translation, resources/translations/qt_fa.ts, compiled by lrelease (Debian:
# qt6-l10n-tools) into the program's resources, so every build, the Windows one included,
# carries it without a file beside the program. It is stored uncompressed: Qt then reads
# the translation straight from the program's own data, with nothing to unpack at start-up.
set(TIRVEX_QT_TRANSLATION_SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/resources/translations/qt_fa.ts)
find_program(TIRVEX_LRELEASE NAMES lrelease lrelease-qt6
  PATHS ${QT_HOST_PATH}/lib/qt6/bin /usr/lib/qt6/bin NO_CMAKE_FIND_ROOT_PATH
  DOC "Qt's translation compiler (Debian: qt6-l10n-tools)")
if(NOT TIRVEX_LRELEASE)
  message(FATAL_ERROR "lrelease not found (Debian: qt6-l10n-tools); scripts/install-deps installs it")
endif()

set(TIRVEX_TRANSLATION_DIR ${CMAKE_BINARY_DIR}/qt_translation)
set(TIRVEX_QT_TRANSLATION ${TIRVEX_TRANSLATION_DIR}/qt_fa.qm)
add_custom_command(OUTPUT ${TIRVEX_QT_TRANSLATION}
  COMMAND ${TIRVEX_LRELEASE} -silent -nounfinished ${TIRVEX_QT_TRANSLATION_SOURCE} -qm ${TIRVEX_QT_TRANSLATION}
  DEPENDS ${TIRVEX_QT_TRANSLATION_SOURCE}
  COMMENT "Compiling Qt's Persian texts" VERBATIM)
file(CONFIGURE OUTPUT ${TIRVEX_TRANSLATION_DIR}/qt_translation.qrc CONTENT
  "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/translations\">\n    <file compression-algorithm=\"none\">qt_fa.qm</file>\n  </qresource>\n</RCC>\n")
# The resource compiler reads the .qm when the resource is built: name it as a source so
# that it is made first.
set_source_files_properties(${TIRVEX_TRANSLATION_DIR}/qt_translation.qrc PROPERTIES
  OBJECT_DEPENDS ${TIRVEX_QT_TRANSLATION})
target_sources(tirvex_forms PRIVATE ${TIRVEX_TRANSLATION_DIR}/qt_translation.qrc ${TIRVEX_QT_TRANSLATION})
