# The Windows side of packaging: the program's folder as the zip and the installer hold
# it, and the target that makes both. Included from packaging/CMakeLists.txt.
#
#   tirvex.exe        the program, with its version record and icon
#   green.gif         the marker animation, read from beside the program at every draw
#   README.txt        how to start it, in Persian and English
#   licences/         Tirvex.txt, the vendor's own terms for Tirvex (licences/Tirvex.txt
#                     beside the vendor file), which the installer's first page shows, and
#                     the font's, Qt's and the MinGW runtime's licences (all linked in):
#                     Qt's notice, the LGPLv3 and GPLv3, qt-third-party/ with the notice
#                     of every part that Qt compiled into the program, and the written
#                     offer of Qt's source
#   docs/             the operator's guide and the screenshots it shows, when there is one
#
# `cmake --build <dir> --target windows-packages` writes into dist/ what a vendor
# publishes, and nothing else:
#   tirvex-<version>-win64.zip, tirvex-<version>-win64-setup.exe   the downloads
#   tirvex-<version>-win64-relink.zip   the program's objects and its link step, to link it
#                                       against a modified Qt
#   qt-source/                          the Qt source the program was built with, with the
#                                       script and toolchain that build it
#   tirvex-<version>-win64-with-qt-source.zip   the program, Qt's source and the relinking
#                                       kit in one file, to hand on on a USB stick
#   SHA256SUMS                          the checksum of each of those files
# The staged folder, the installer's script and its icon stay in packaging/staging/.
# Every file is made the same way from the same commit: times come from SOURCE_DATE_EPOCH.

set(TIRVEX_WINDOWS_NAME tirvex-${PROJECT_VERSION}-win64)
set(TIRVEX_WINDOWS_DIST ${CMAKE_BINARY_DIR}/dist)
set(TIRVEX_WINDOWS_PACKAGE_SETTINGS ${TIRVEX_GENERATED}/windows-packages.cmake)

install(TARGETS tirvex RUNTIME DESTINATION .)
if(EXISTS ${TIRVEX_MARKER})
  install(FILES ${TIRVEX_MARKER} DESTINATION .)
else()
  message(WARNING "resources/images/green.gif is missing: the installed program could not draw")
endif()
configure_file(${TIRVEX_PACKAGING_DIR}/windows/README.txt.in ${TIRVEX_GENERATED}/README.txt
  @ONLY NEWLINE_STYLE CRLF)
install(FILES ${TIRVEX_GENERATED}/README.txt DESTINATION .)

# Tirvex's own terms are the vendor's, kept beside its vendor file (cmake/vendor.cmake
# finds them, or stops).
install(FILES ${TIRVEX_VENDOR_TERMS} DESTINATION licences RENAME Tirvex.txt)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/resources/fonts/OFL.txt DESTINATION licences
  RENAME Vazirmatn-font.txt)
# The MinGW runtime is linked into the program; its terms come from the Debian package
# whose headers built it.
set(mingw_copyright /usr/share/doc/mingw-w64-x86-64-dev/copyright)
if(EXISTS ${mingw_copyright})
  install(FILES ${mingw_copyright} DESTINATION licences RENAME mingw-w64-runtime.txt)
else()
  message(WARNING "${mingw_copyright} is missing: no mingw-w64-runtime.txt in the downloads")
endif()
# Qt is linked in statically, under the LGPLv3. Its cache keeps what was built with it
# (share/tirvex): the source, the configure options and what each target compiled.
set(TIRVEX_QT_RECORD ${TIRVEX_QT_PREFIX}/share/tirvex)
file(GLOB qt_dsc ${TIRVEX_QT_RECORD}/qt-source/qt6-base_*.dsc)
if(NOT qt_dsc)
  message(FATAL_ERROR "${TIRVEX_QT_RECORD} holds no Qt source: rebuild Qt with scripts/build-qt-windows")
endif()
string(REGEX REPLACE ".*/qt6-base_(.*)\\.dsc$" "\\1" QT_DEBIAN_VERSION "${qt_dsc}")
set(QT_VERSION ${Qt6_VERSION})
configure_file(${TIRVEX_PACKAGING_DIR}/windows/Qt.txt.in ${TIRVEX_GENERATED}/Qt.txt @ONLY NEWLINE_STYLE CRLF)
# The written offer of Qt's source travels with the program, for a copy handed on without
# the folder beside it. It runs three years from the release, the commit's date.
string(TIMESTAMP RELEASE_DATE "%Y-%m-%d" UTC)
string(REGEX MATCH "^[0-9]+" release_year "${RELEASE_DATE}")
math(EXPR offer_year "${release_year} + 3")
string(REGEX REPLACE "^[0-9]+" "${offer_year}" OFFER_UNTIL "${RELEASE_DATE}")
string(REPLACE "-02-29" "-02-28" OFFER_UNTIL "${OFFER_UNTIL}")
configure_file(${TIRVEX_PACKAGING_DIR}/windows/Qt-source-offer.txt.in
  ${TIRVEX_GENERATED}/Qt-source-offer.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${TIRVEX_GENERATED}/Qt.txt ${TIRVEX_GENERATED}/Qt-source-offer.txt DESTINATION licences)
set(qt_notices ${TIRVEX_PACKAGING_DIR}/windows/qt_notices.py)
install(CODE "execute_process(COMMAND /usr/bin/python3 ${qt_notices} write ${TIRVEX_QT_RECORD}
  \${CMAKE_INSTALL_PREFIX}/licences COMMAND_ERROR_IS_FATAL ANY)")

# The operator's guide with the screenshots it shows, when the tree has one.
set(guide ${CMAKE_CURRENT_SOURCE_DIR}/docs/guide.fa.html)
if(EXISTS ${guide})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${guide})
  install(FILES ${guide} DESTINATION docs)
  file(READ ${guide} guide_html)
  string(REGEX MATCHALL "screenshots/[^\"' )<>?#]+" guide_pictures "${guide_html}")
  list(REMOVE_DUPLICATES guide_pictures)
  foreach(picture IN LISTS guide_pictures)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/docs/${picture})
      get_filename_component(folder ${picture} DIRECTORY)
      install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/docs/${picture} DESTINATION docs/${folder})
    else()
      message(WARNING "docs/guide.fa.html shows docs/${picture}, which does not exist")
    endif()
  endforeach()
endif()

# The relinking kit: the program's own objects and everything else of it in one static
# library, with a link step written for it.
set(relink ${TIRVEX_GENERATED}/relink)
configure_file(${TIRVEX_PACKAGING_DIR}/windows/relink/CMakeLists.txt.in ${relink}/CMakeLists.txt @ONLY)
configure_file(${TIRVEX_PACKAGING_DIR}/windows/relink/README.txt.in ${relink}/README.txt @ONLY NEWLINE_STYLE CRLF)

# What make-packages.cmake needs besides the folder and the version, in a file of its own, so
# that the installer tests can make installers of other folders and versions the same way.
find_program(TIRVEX_MAKENSIS makensis)
# The vendor's values are read again there from the same vendor file, checked and escaped
# in one place; its path stands in a bracket argument, which takes any text literally.
file(CONFIGURE OUTPUT ${TIRVEX_WINDOWS_PACKAGE_SETTINGS} CONTENT [[
set(TIRVEX_VENDOR_FILE [==[@TIRVEX_VENDOR_FILE@]==])
set(ICON "@TIRVEX_IMAGES@/icon.ico")
set(MAKENSIS "@TIRVEX_MAKENSIS@")
]] @ONLY)
set(TIRVEX_WINDOWS_STAGING ${TIRVEX_GENERATED}/staging/${TIRVEX_WINDOWS_NAME})
add_custom_target(windows-packages
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${TIRVEX_WINDOWS_STAGING} ${TIRVEX_WINDOWS_DIST}
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${TIRVEX_WINDOWS_STAGING}
  COMMAND ${CMAKE_COMMAND} -DSTAGING=${TIRVEX_WINDOWS_STAGING} -DDIST=${TIRVEX_WINDOWS_DIST}
          -DVERSION=${PROJECT_VERSION} -DSETTINGS=${TIRVEX_WINDOWS_PACKAGE_SETTINGS}
          -P ${TIRVEX_PACKAGING_DIR}/windows/make-packages.cmake
  COMMAND ${CMAKE_COMMAND} -DDIST=${TIRVEX_WINDOWS_DIST} -DNAME=${TIRVEX_WINDOWS_NAME}
          -DSTAGING=${TIRVEX_WINDOWS_STAGING} -DKIT=${relink}
          "-DOBJECTS=$<JOIN:$<TARGET_OBJECTS:tirvex>,|>" "-DLIBS=$<TARGET_FILE:tirvex_core>|$<TARGET_FILE:tirvex_forms>|$<TARGET_FILE:tirvex_engine>"
          -DTOOLCHAIN=${CMAKE_CURRENT_SOURCE_DIR}/cmake -DQT_RECORD=${TIRVEX_QT_RECORD}
          -P ${TIRVEX_PACKAGING_DIR}/windows/make-relink-kit.cmake
  DEPENDS tirvex
  COMMENT "Making ${TIRVEX_WINDOWS_NAME}.zip, -setup.exe, -relink.zip, -with-qt-source.zip, qt-source/ and SHA256SUMS"
  VERBATIM)
