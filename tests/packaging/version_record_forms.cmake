# Writes version records for other program versions and checks the two forms of the
# version in each: the fixed version and the zero-filled text.
#   cmake -DWORK_DIR=<dir> -P version_record_forms.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../../packaging/windows/version_record.cmake)
file(MAKE_DIRECTORY ${WORK_DIR})

if(OVERSIZED) # the child run below
  tirvex_write_version_record(${WORK_DIR}/oversized.rc 1 0 65536 icon.ico)
  return()
endif()

# major minor revision | fixed version | text
set(cases
  "1|0|12|1,0,0,12|1.00.0012"
  "2|15|7|2,15,0,7|2.15.0007"
  "3|5|1234|3,5,0,1234|3.05.1234"
  "0|123|65535|0,123,0,65535|0.123.65535"
  "1|07|0012|1,7,0,12|1.07.0012")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 major)
  list(GET fields 1 minor)
  list(GET fields 2 revision)
  list(GET fields 3 fixed)
  list(GET fields 4 text)
  set(out ${WORK_DIR}/version-${major}-${minor}-${revision}.rc)
  tirvex_write_version_record(${out} ${major} ${minor} ${revision} C:\\images\\icon.ico)
  file(READ ${out} rc)
  foreach(expected IN ITEMS
      "FILEVERSION ${fixed}\n" "PRODUCTVERSION ${fixed}\n"
      "\"FileVersion\", \"${text}\"" "\"ProductVersion\", \"${text}\""
      "ICON \"C:/images/icon.ico\"")
    string(FIND "${rc}" "${expected}" at)
    if(at EQUAL -1)
      message(SEND_ERROR "version ${major}.${minor}.${revision}: no '${expected}' in ${out}")
    endif()
  endforeach()
endforeach()

# A part too large for its 16-bit field must stop the build, not be cut.
execute_process(
  COMMAND ${CMAKE_COMMAND} -DWORK_DIR=${WORK_DIR} -DOVERSIZED=ON -P ${CMAKE_CURRENT_LIST_FILE}
  RESULT_VARIABLE oversized_result OUTPUT_QUIET ERROR_VARIABLE oversized_error)
if(oversized_result EQUAL 0 OR NOT oversized_error MATCHES "does not fit in 16 bits")
  message(SEND_ERROR "a revision of 65536 was accepted: ${oversized_error}")
endif()
