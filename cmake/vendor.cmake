# Reads the vendor file (packaging/vendor.cmake, or the one named by TIRVEX_VENDOR_FILE on
# CMake's command line or in the environment), checks its values, says in one line when
# they are still the defaults, and gives each value escaped for every format that carries
# it. In a build it also writes them for the program as the header "vendor.h"; a script
# (cmake -P) that includes this file gets the same values and checks.
#
# For each field F (NAME, EMAIL, ...): TIRVEX_VENDOR_F as written, and
#   TIRVEX_VENDOR_F_C      inside a C++ string literal
#   TIRVEX_VENDOR_F_RC     inside a string of a resource script read as UTF-8
#   TIRVEX_VENDOR_F_NSIS   inside an NSIS string in double quotes, read when the installer runs
#   TIRVEX_VENDOR_F_NSIS_TEXT  the same for a text makensis stores as it is (VIAddVersionKey)
#   TIRVEX_VENDOR_F_XML    in XML text or an attribute value
include_guard(GLOBAL)
# A build keeps the vendor file it was first given in its cache: the configure that make runs
# by itself after a change, without the variable, must not fall back to the example. Named
# in the environment, it replaces the one kept.
# In a script, a variable set before this file is read comes first.
if(NOT "$ENV{TIRVEX_VENDOR_FILE}" STREQUAL "" AND (NOT CMAKE_SCRIPT_MODE_FILE OR NOT TIRVEX_VENDOR_FILE))
  set(TIRVEX_VENDOR_FILE "$ENV{TIRVEX_VENDOR_FILE}")
elseif(NOT TIRVEX_VENDOR_FILE)
  set(TIRVEX_VENDOR_FILE ${CMAKE_CURRENT_LIST_DIR}/../packaging/vendor.cmake)
endif()
get_filename_component(TIRVEX_VENDOR_FILE "${TIRVEX_VENDOR_FILE}" ABSOLUTE)
# Tirvex's own terms, which the vendor owns, beside its vendor file.
get_filename_component(TIRVEX_VENDOR_DIR "${TIRVEX_VENDOR_FILE}" DIRECTORY)
set(TIRVEX_VENDOR_TERMS ${TIRVEX_VENDOR_DIR}/licences/Tirvex.txt)
foreach(file IN ITEMS "${TIRVEX_VENDOR_FILE}" "${TIRVEX_VENDOR_TERMS}")
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "${file} does not exist: a vendor file (packaging/vendor.cmake is the "
      "example) has Tirvex's terms of use beside it, in licences/Tirvex.txt")
  endif()
endforeach()
if(NOT CMAKE_SCRIPT_MODE_FILE)
  set(TIRVEX_VENDOR_FILE "${TIRVEX_VENDOR_FILE}" CACHE FILEPATH
    "The vendor file: packaging/vendor.cmake, or a vendor's own copy" FORCE)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    ${TIRVEX_VENDOR_FILE} ${TIRVEX_VENDOR_TERMS})
endif()
include(${TIRVEX_VENDOR_FILE})

# Every format here carries any text of one line; a control character (a line break, a
# tab) has no place in a desktop entry, a Debian control field or a version record.
string(ASCII 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29
  30 31 127 _tirvex_control)
set(TIRVEX_VENDOR_FIELDS NAME EMAIL WEBLOG WEBSITE PHONE PHONE2 HOMEPAGE MAINTAINER ADDRESS APPSTREAM_ID)
foreach(field IN LISTS TIRVEX_VENDOR_FIELDS)
  set(value "${TIRVEX_VENDOR_${field}}")
  if(value STREQUAL "" OR value MATCHES "[${_tirvex_control}]")
    message(FATAL_ERROR "${TIRVEX_VENDOR_FILE}: TIRVEX_VENDOR_${field} must be one line of "
      "text, not empty and without line breaks or tabs; it is '${value}'")
  endif()
  # makensis replaces "${NAME}" in any line, however its dollar is written.
  string(FIND "${value}" "\${" brace)
  if(NOT brace EQUAL -1)
    message(FATAL_ERROR "${TIRVEX_VENDOR_FILE}: TIRVEX_VENDOR_${field} must not hold \"\${\", "
      "which the Windows installer would read as one of its own names; it is '${value}'")
  endif()
  # Each format's own escaping, one replacement at a time: a list of pairs would take the
  # semicolons of "&amp;" and the backslashes for its own.
  string(REPLACE "\\" "\\\\" c "${value}")
  string(REPLACE "\"" "\\\"" c "${c}")
  set(TIRVEX_VENDOR_${field}_C "${c}")
  # windres, like rc, reads a backslash as an escape and a doubled quote as a quote.
  string(REPLACE "\\" "\\\\" rc "${value}")
  string(REPLACE "\"" "\"\"" rc "${rc}")
  set(TIRVEX_VENDOR_${field}_RC "${rc}")
  string(REPLACE "$" "$$" nsis "${value}")
  string(REPLACE "\"" "$\\\"" nsis "${nsis}")
  set(TIRVEX_VENDOR_${field}_NSIS "${nsis}")
  string(REPLACE "$" "\${U+24}" nsis "${value}")
  string(REPLACE "\"" "$\\\"" nsis "${nsis}")
  set(TIRVEX_VENDOR_${field}_NSIS_TEXT "${nsis}")
  string(REPLACE "&" "&amp;" xml "${value}")
  string(REPLACE "<" "&lt;" xml "${xml}")
  string(REPLACE ">" "&gt;" xml "${xml}")
  string(REPLACE "\"" "&quot;" xml "${xml}")
  string(REPLACE "'" "&apos;" xml "${xml}")
  set(TIRVEX_VENDOR_${field}_XML "${xml}")
endforeach()
if(NOT TIRVEX_VENDOR_APPSTREAM_ID MATCHES "^[a-z][a-z0-9_]*(\\.[a-zA-Z0-9_]+)+$")
  message(FATAL_ERROR "${TIRVEX_VENDOR_FILE}: TIRVEX_VENDOR_APPSTREAM_ID '${TIRVEX_VENDOR_APPSTREAM_ID}' "
    "is not a reversed domain name such as com.example.tirvex")
endif()
if("${TIRVEX_VENDOR_EMAIL} ${TIRVEX_VENDOR_HOMEPAGE} ${TIRVEX_VENDOR_APPSTREAM_ID}" MATCHES "example")
  message(NOTICE "tirvex: the vendor is still the example of ${TIRVEX_VENDOR_FILE}; "
    "a vendor's release names its own (README.md, \"Your own release\")")
endif()

# Each value as CMake read it, in hexadecimal, for the tests that read each file back: in
# a build beside vendor.h, in a script where TIRVEX_VENDOR_VALUES names a file.
if(NOT CMAKE_SCRIPT_MODE_FILE)
  set(TIRVEX_VENDOR_VALUES ${CMAKE_BINARY_DIR}/generated/vendor-values.txt)
endif()
if(TIRVEX_VENDOR_VALUES)
  set(values "")
  foreach(field IN LISTS TIRVEX_VENDOR_FIELDS)
    string(HEX "${TIRVEX_VENDOR_${field}}" hex)
    string(APPEND values "${field}=${hex}\n")
  endforeach()
  file(CONFIGURE OUTPUT ${TIRVEX_VENDOR_VALUES} CONTENT "${values}")
endif()
if(TARGET tirvex_core)
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/vendor.h CONTENT [[
// The vendor of this build, written by CMake from the vendor file; change that
// file, never this one.
#pragma once
#define TIRVEX_VENDOR_NAME "@TIRVEX_VENDOR_NAME_C@"
#define TIRVEX_VENDOR_EMAIL "@TIRVEX_VENDOR_EMAIL_C@"
#define TIRVEX_VENDOR_WEBLOG "@TIRVEX_VENDOR_WEBLOG_C@"
#define TIRVEX_VENDOR_WEBSITE "@TIRVEX_VENDOR_WEBSITE_C@"
#define TIRVEX_VENDOR_PHONE "@TIRVEX_VENDOR_PHONE_C@"
#define TIRVEX_VENDOR_PHONE2 "@TIRVEX_VENDOR_PHONE2_C@"
]] @ONLY)
  target_include_directories(tirvex_core PUBLIC ${CMAKE_BINARY_DIR}/generated)
endif()
