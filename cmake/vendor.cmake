# Reads the vendor file (packaging/vendor.cmake, or the one named by TIRVEX_VENDOR_FILE in
# the environment or on CMake's command line), checks its values, says in one line when
# they are still the defaults, and writes them for the program as the header "vendor.h" of
# the build. Included from the top level after the libraries are defined.
if(NOT TIRVEX_VENDOR_FILE)
  set(TIRVEX_VENDOR_FILE $ENV{TIRVEX_VENDOR_FILE})
endif()
if(NOT TIRVEX_VENDOR_FILE)
  set(TIRVEX_VENDOR_FILE ${CMAKE_CURRENT_SOURCE_DIR}/packaging/vendor.cmake)
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TIRVEX_VENDOR_FILE})
include(${TIRVEX_VENDOR_FILE})
set(TIRVEX_VENDOR_FIELDS NAME EMAIL WEBLOG WEBSITE PHONE PHONE2 HOMEPAGE MAINTAINER ADDRESS APPSTREAM_ID)
foreach(field IN LISTS TIRVEX_VENDOR_FIELDS)
  set(value "${TIRVEX_VENDOR_${field}}")
  # One line of text, with nothing that C++, NSIS or a resource script would read as
  # anything but text.
  if(value STREQUAL "" OR value MATCHES "[\"\\\\$\r\n\t]")
    message(FATAL_ERROR "${TIRVEX_VENDOR_FILE}: TIRVEX_VENDOR_${field} must be one line of "
      "text without \" \\ or $, and not empty; it is '${value}'")
  endif()
endforeach()
if(NOT TIRVEX_VENDOR_APPSTREAM_ID MATCHES "^[a-z][a-z0-9_]*(\\.[a-zA-Z0-9_]+)+$")
  message(FATAL_ERROR "${TIRVEX_VENDOR_FILE}: TIRVEX_VENDOR_APPSTREAM_ID '${TIRVEX_VENDOR_APPSTREAM_ID}' "
    "is not a reversed domain name such as com.example.tirvex")
endif()
if("${TIRVEX_VENDOR_EMAIL} ${TIRVEX_VENDOR_HOMEPAGE} ${TIRVEX_VENDOR_APPSTREAM_ID}" MATCHES "example")
  message(NOTICE "tirvex: the vendor is still the example of ${TIRVEX_VENDOR_FILE}; "
    "a vendor's release names its own (README.md, \"Your own release\")")
endif()
# Texts for XML, where & and < have meanings of their own.
foreach(field NAME)
  string(REPLACE "&" "&amp;" TIRVEX_VENDOR_${field}_XML "${TIRVEX_VENDOR_${field}}")
  string(REPLACE "<" "&lt;" TIRVEX_VENDOR_${field}_XML "${TIRVEX_VENDOR_${field}_XML}")
endforeach()

file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/vendor.h CONTENT [[
// The vendor of this build, written by CMake from the vendor file; change that
// file, never this one.
#pragma once
#define TIRVEX_VENDOR_NAME "@TIRVEX_VENDOR_NAME@"
#define TIRVEX_VENDOR_EMAIL "@TIRVEX_VENDOR_EMAIL@"
#define TIRVEX_VENDOR_WEBLOG "@TIRVEX_VENDOR_WEBLOG@"
#define TIRVEX_VENDOR_WEBSITE "@TIRVEX_VENDOR_WEBSITE@"
#define TIRVEX_VENDOR_PHONE "@TIRVEX_VENDOR_PHONE@"
#define TIRVEX_VENDOR_PHONE2 "@TIRVEX_VENDOR_PHONE2@"
]] @ONLY)
target_include_directories(tirvex_core PUBLIC ${CMAKE_BINARY_DIR}/generated)
