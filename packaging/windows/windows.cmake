# The Windows side of packaging: the program's folder as the zip and the installer hold
# it, and the target that makes both. Included from packaging/CMakeLists.txt.
#
#   tirvex.exe        the program, with its version record and icon
#   green.gif         the marker animation, read from beside the program at every draw
#   README.txt        how to start it, in Persian and English
#   licences/         the font's, Qt's and the MinGW runtime's licences (all linked in)
#   docs/             the operator's guide and the screenshots it shows, when there is one
#
# `cmake --build <dir> --target windows-packages` writes dist/tirvex-<version>-win64.zip
# and dist/tirvex-<version>-win64-setup.exe.

set(TIRVEX_WINDOWS_NAME tirvex-${PROJECT_VERSION}-win64)
set(TIRVEX_WINDOWS_DIST ${CMAKE_BINARY_DIR}/dist)

install(TARGETS tirvex RUNTIME DESTINATION .)
if(EXISTS ${TIRVEX_MARKER})
  install(FILES ${TIRVEX_MARKER} DESTINATION .)
else()
  message(WARNING "resources/images/green.gif is missing: the installed program could not draw")
endif()
configure_file(${TIRVEX_PACKAGING_DIR}/windows/README.txt.in ${TIRVEX_GENERATED}/README.txt
  @ONLY NEWLINE_STYLE CRLF)
install(FILES ${TIRVEX_GENERATED}/README.txt DESTINATION .)

install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/resources/fonts/OFL.txt DESTINATION licences
  RENAME Vazirmatn-font.txt)
# Qt and the MinGW runtime are linked into the program; their terms come from the
# Debian packages whose source and headers built it.
foreach(licence IN ITEMS "qt6-base-dev|Qt.txt" "mingw-w64-x86-64-dev|mingw-w64-runtime.txt")
  string(REPLACE "|" ";" licence "${licence}")
  list(GET licence 0 package)
  list(GET licence 1 name)
  if(EXISTS /usr/share/doc/${package}/copyright)
    install(FILES /usr/share/doc/${package}/copyright DESTINATION licences RENAME ${name})
  else()
    message(WARNING "/usr/share/doc/${package}/copyright is missing: no ${name} in the downloads")
  endif()
endforeach()

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

find_program(TIRVEX_MAKENSIS makensis)
set(staging ${TIRVEX_WINDOWS_DIST}/${TIRVEX_WINDOWS_NAME})
add_custom_target(windows-packages
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${staging}
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${staging}
  COMMAND ${CMAKE_COMMAND} -DSTAGING=${staging} -DVERSION=${PROJECT_VERSION}
          -DPUBLISHER=${TIRVEX_PUBLISHER} -DHOMEPAGE=${TIRVEX_HOMEPAGE}
          -DICON=${TIRVEX_IMAGES}/icon.ico -DMAKENSIS=${TIRVEX_MAKENSIS}
          -P ${TIRVEX_PACKAGING_DIR}/windows/make-packages.cmake
  DEPENDS tirvex
  COMMENT "Making ${TIRVEX_WINDOWS_NAME}.zip and ${TIRVEX_WINDOWS_NAME}-setup.exe"
  VERBATIM)
