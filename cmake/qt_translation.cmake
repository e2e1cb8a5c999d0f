# Qt's own texts (a text field's context menu, the buttons of a message box) in Persian.
# Debian's qt6-translations-l10n ships them compiled as qtbase_fa.qm; the file found at
# configure time is copied into the build and compiled into the program's resources, so
# every build, the Windows one included, carries it without a file beside the program.
# It is stored uncompressed: Qt then reads the translation straight from the program's
# own data, with no copy and nothing to unpack at start-up.
find_file(TIRVEX_QT_TRANSLATION qtbase_fa.qm
  PATHS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS} /usr/share/qt6/translations
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
  DOC "Qt's Persian translation of its standard texts (Debian: qt6-translations-l10n)")

set(TIRVEX_TRANSLATION_DIR ${CMAKE_BINARY_DIR}/qt_translation)
if(TIRVEX_QT_TRANSLATION)
  configure_file(${TIRVEX_QT_TRANSLATION} ${TIRVEX_TRANSLATION_DIR}/qtbase_fa.qm COPYONLY)
  set(entry "    <file compression-algorithm=\"none\">qtbase_fa.qm</file>\n")
else()
  message(WARNING "qtbase_fa.qm not found (Debian: qt6-translations-l10n): "
                  "context menus and standard buttons will read English")
  set(entry "")
endif()
# Written even without the file, so the program always finds the resource it names.
file(CONFIGURE OUTPUT ${TIRVEX_TRANSLATION_DIR}/qt_translation.qrc CONTENT
  "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/translations\">\n@entry@  </qresource>\n</RCC>\n"
  @ONLY)
target_sources(tirvex_core PRIVATE ${TIRVEX_TRANSLATION_DIR}/qt_translation.qrc)
