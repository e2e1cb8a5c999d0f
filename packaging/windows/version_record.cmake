# Writes the Windows version record for a program version. Kept apart from the build
# rules so that a script can write records for other versions and check their form.
#
#   tirvex_write_version_record(<output> <major> <minor> <revision> <icon>)
#
# The fixed versions are major,minor,0,revision; the texts are major.minor.revision with
# the minor part in at least two digits and the revision in at least four: 1.0.12 gives
# 1,0,0,12 and "1.00.0012".
set(_tirvex_version_record_template ${CMAKE_CURRENT_LIST_DIR}/version.rc.in)
# The vendor's name, in a build or in a script on its own, comes from the vendor file the
# build is given, checked and escaped.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/vendor.cmake)

function(_tirvex_zero_fill value width out)
  set(text "${value}")
  string(LENGTH "${text}" length)
  while(length LESS width)
    string(PREPEND text "0")
    math(EXPR length "${length} + 1")
  endwhile()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(tirvex_write_version_record output major minor revision icon)
  foreach(part IN ITEMS major minor revision)
    if(NOT "${${part}}" MATCHES "^[0-9]+$")
      message(FATAL_ERROR "version record: the ${part} version '${${part}}' is not a whole number")
    endif()
    math(EXPR ${part} "${${part}}") # drops leading zeros
    # Each fixed-version field holds 16 bits; a larger part would be cut silently.
    if(${${part}} GREATER 65535)
      message(FATAL_ERROR "version record: the ${part} version ${${part}} does not fit in 16 bits")
    endif()
  endforeach()

  _tirvex_zero_fill(${minor} 2 minor_text)
  _tirvex_zero_fill(${revision} 4 revision_text)
  set(TIRVEX_RC_VERSION_COMMAS "${major},${minor},0,${revision}")
  set(TIRVEX_RC_VERSION_TEXT "${major}.${minor_text}.${revision_text}")
  # Forward slashes: the resource compiler reads a backslash in a string as an escape.
  string(REPLACE "\\" "/" TIRVEX_RC_ICON "${icon}")
  set(TIRVEX_RC_MANIFEST ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/tirvex.manifest)
  configure_file(${_tirvex_version_record_template} ${output} @ONLY)
endfunction()
