# The Debian side of packaging: the install layout, the desktop entry and metainfo, and
# the .deb. Included from packaging/CMakeLists.txt on Linux.
#
# Install layout (under the prefix, /usr in the package):
#   lib/tirvex/tirvex       the program
#   lib/tirvex/green.gif    the marker animation, which the program reads from its own
#                           directory at every draw
#   bin/tirvex              -> ../lib/tirvex/tirvex, so the program is on the PATH; the
#                           program's directory is found through /proc/self/exe, which
#                           names the real file, so the link still leads to green.gif
#   share/applications/tirvex.desktop, share/metainfo/<AppStream id>.metainfo.xml,
#   share/icons/hicolor/<size>/apps/tirvex.png, share/doc/tirvex/{copyright,OFL.txt},
#   share/doc/tirvex/guide.fa.html and the screenshots/ it shows

set(TIRVEX_PROGRAM_DIR lib/tirvex)

# --- Files generated for the install ----------------------------------------------------
# The metainfo lists the README's screenshots as they will be published under the
# homepage; whichever pictures docs/screenshots holds are named, the first as the default.
file(GLOB TIRVEX_SCREENSHOTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/docs/screenshots/*.png)
list(SORT TIRVEX_SCREENSHOTS)
set(TIRVEX_METAINFO_SCREENSHOTS "")
if(TIRVEX_SCREENSHOTS)
  string(APPEND TIRVEX_METAINFO_SCREENSHOTS "  <screenshots>\n")
  set(kind " type=\"default\"")
  foreach(shot IN LISTS TIRVEX_SCREENSHOTS)
    get_filename_component(shot_name ${shot} NAME)
    get_filename_component(shot_stem ${shot} NAME_WE)
    # "range-entry" becomes "Range entry window".
    string(REPLACE "-" " " caption "${shot_stem}")
    string(REPLACE "_" " " caption "${caption}")
    string(SUBSTRING "${caption}" 0 1 first)
    string(SUBSTRING "${caption}" 1 -1 rest)
    string(TOUPPER "${first}" first)
    string(APPEND TIRVEX_METAINFO_SCREENSHOTS
      "    <screenshot${kind}>\n"
      "      <caption>${first}${rest} window</caption>\n"
      "      <image>${TIRVEX_VENDOR_HOMEPAGE_XML}/docs/screenshots/${shot_name}</image>\n"
      "    </screenshot>\n")
    set(kind "")
  endforeach()
  string(APPEND TIRVEX_METAINFO_SCREENSHOTS "  </screenshots>\n")
endif()
set(TIRVEX_METAINFO ${TIRVEX_GENERATED}/${TIRVEX_VENDOR_APPSTREAM_ID}.metainfo.xml)
configure_file(${TIRVEX_PACKAGING_DIR}/tirvex.metainfo.xml.in ${TIRVEX_METAINFO} @ONLY)

# The copyright file carries the font licence in full, as the Debian format asks.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/tools/fetch-fonts font_version_line REGEX "^version=")
string(REGEX REPLACE "^version=" "" TIRVEX_FONT_VERSION "${font_version_line}")
# A licence text as the continuation lines of a field: each line indented, blank ones ".".
function(tirvex_deb822_text file out)
  file(READ ${file} text)
  string(REGEX REPLACE "\n+$" "" text "${text}")
  string(REGEX REPLACE "\n[ \t]*\n" "\n.\n" text "${text}")
  string(REGEX REPLACE "\n[ \t]*\n" "\n.\n" text "${text}") # runs of blank lines
  string(REPLACE "\n" "\n " text "${text}")
  set(${out} " ${text}" PARENT_SCOPE)
endfunction()
tirvex_deb822_text(${CMAKE_CURRENT_SOURCE_DIR}/resources/fonts/OFL.txt TIRVEX_OFL_TEXT)
# Tirvex's own terms are the vendor's, from beside its vendor file.
tirvex_deb822_text(${TIRVEX_VENDOR_TERMS} TIRVEX_TERMS_TEXT)
configure_file(${TIRVEX_PACKAGING_DIR}/copyright.in ${TIRVEX_GENERATED}/copyright @ONLY)

# A relative link, so the installed tree works under any prefix and inside the package.
file(MAKE_DIRECTORY ${TIRVEX_GENERATED}/bin)
file(CREATE_LINK ../${TIRVEX_PROGRAM_DIR}/tirvex ${TIRVEX_GENERATED}/bin/tirvex SYMBOLIC)

# --- Install rules ----------------------------------------------------------------------
install(TARGETS tirvex RUNTIME DESTINATION ${TIRVEX_PROGRAM_DIR})
install(FILES ${TIRVEX_GENERATED}/bin/tirvex DESTINATION bin)
if(EXISTS ${TIRVEX_MARKER})
  install(FILES ${TIRVEX_MARKER} DESTINATION ${TIRVEX_PROGRAM_DIR})
else()
  message(WARNING "resources/images/green.gif is missing: the installed program could not draw")
endif()

foreach(size IN ITEMS 32 48 128 256)
  set(icon ${TIRVEX_IMAGES}/icon-${size}.png)
  if(EXISTS ${icon})
    install(FILES ${icon} DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME tirvex.png)
  else()
    message(WARNING "resources/images/icon-${size}.png is missing: no ${size}x${size} desktop icon")
  endif()
endforeach()

install(FILES ${TIRVEX_PACKAGING_DIR}/tirvex.desktop DESTINATION share/applications)
install(FILES ${TIRVEX_METAINFO} DESTINATION share/metainfo)
install(FILES ${TIRVEX_GENERATED}/copyright ${CMAKE_CURRENT_SOURCE_DIR}/resources/fonts/OFL.txt
  ${CMAKE_CURRENT_SOURCE_DIR}/docs/guide.fa.html DESTINATION share/doc/tirvex)
# The operator's guide shows the screenshots from a folder beside it.
install(FILES ${TIRVEX_SCREENSHOTS} DESTINATION share/doc/tirvex/screenshots)

# --- The Debian package -----------------------------------------------------------------
# CPack writes these into a CMake file of its own and reads them back; verbatim, a vendor's
# quotes, backslashes and dollars reach the control file as written.
set(CPACK_VERBATIM_VARIABLES TRUE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tirvex)
set(CPACK_PACKAGE_VENDOR "${TIRVEX_VENDOR_NAME}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${TIRVEX_VENDOR_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "number draw held in front of an audience")
# Wrapped as it should read in a package manager; CPack indents each line.
set(CPACK_PACKAGE_DESCRIPTION
"Tirvex draws one number between a lower and an upper bound of up to six
digits, on a full-screen stage that an audience can follow: one digit at a
time, each spinning through random digits before it settles, so that the
finished number always lies in the range. The program speaks Persian and
reads from right to left.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_NAME tirvex)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TIRVEX_VENDOR_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TIRVEX_VENDOR_HOMEPAGE}")
# The libraries the program links, found by dpkg-shlibdeps from the binary itself.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

# --- Tests ------------------------------------------------------------------------------
if(TIRVEX_TESTS)
  if(TARGET packaging_test_version_record)
    target_compile_definitions(packaging_test_version_record PRIVATE
      TIRVEX_VERSION_RECORD="${TIRVEX_VERSION_RECORD}")
  endif()
  add_test(NAME packaging_version_record_forms
    COMMAND ${CMAKE_COMMAND} -DWORK_DIR=${CMAKE_BINARY_DIR}/packaging-test
            -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/packaging/version_record_forms.cmake)
  add_test(NAME packaging_desktop_files
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/packaging/validate_desktop_files.sh
            ${TIRVEX_PACKAGING_DIR}/tirvex.desktop ${TIRVEX_METAINFO} ${PROJECT_VERSION})
  add_test(NAME packaging_vendor_file COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/packaging/vendor_file.sh
    ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/vendor-test)
  set_tests_properties(packaging_version_record_forms packaging_desktop_files packaging_vendor_file PROPERTIES
    LABELS packaging SKIP_RETURN_CODE 77 TIMEOUT 900)

endif()
# Builds the .deb, looks inside it, then installs, starts and removes it on this machine.
# A sanitizer build is never packaged, so it leaves these to the ordinary build.
if(TIRVEX_TESTS AND NOT TIRVEX_SANITIZE)
  set(package_test ${CMAKE_CURRENT_SOURCE_DIR}/tests/packaging/package_test.sh)
  add_test(NAME package_contents COMMAND bash ${package_test} contents ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
  add_test(NAME package_install COMMAND bash ${package_test} install ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
  set_tests_properties(package_contents PROPERTIES FIXTURES_SETUP tirvex_deb)
  set_tests_properties(package_install PROPERTIES FIXTURES_REQUIRED tirvex_deb)
  set_tests_properties(package_contents package_install PROPERTIES
    LABELS package RUN_SERIAL TRUE SKIP_RETURN_CODE 77 TIMEOUT 600)
endif()
