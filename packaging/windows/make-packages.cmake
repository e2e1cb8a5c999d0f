# Makes the two Windows downloads from the installed tree of the program:
#   <name>.zip        the folder <name>/ as it was installed
#   <name>-setup.exe  an NSIS installer of the same files
# written into DIST (by default the folder that holds the staged one); the installer's
# script and icon are written beside the staged folder, which stays out of DIST.
# The installer's file and uninstall lists are written from the tree itself, so what is
# installed is exactly what the uninstaller removes. With TIRVEX_SIGN_PFX (a PKCS#12 file)
# in the environment, tirvex.exe, the uninstaller and the installer are signed (sign).
#   cmake -DSTAGING=<dir>/<name> -DVERSION=1.0.12 -DSETTINGS=<file> [-DDIST=<dir>] -P make-packages.cmake
# SETTINGS, written by windows.cmake, sets TIRVEX_VENDOR_FILE, ICON and MAKENSIS; the vendor
# file gives the vendor's values and its terms for Tirvex, which the installer's first page
# shows.
cmake_minimum_required(VERSION 3.25)
include(${SETTINGS})
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/vendor.cmake)
set(PUBLISHER "${TIRVEX_VENDOR_NAME_NSIS}")
set(PUBLISHER_TEXT "${TIRVEX_VENDOR_NAME_NSIS_TEXT}")
set(HOMEPAGE "${TIRVEX_VENDOR_HOMEPAGE_NSIS}")
get_filename_component(out_dir ${STAGING} DIRECTORY)
get_filename_component(name ${STAGING} NAME)
if(NOT DIST)
  set(DIST ${out_dir})
endif()
file(MAKE_DIRECTORY ${DIST})
string(REPLACE "." ";" parts "${VERSION}")
list(GET parts 0 VERSION_MAJOR)
list(GET parts 1 VERSION_MINOR)
list(GET parts 2 VERSION_PATCH)
set(VERSION_DOTS "${VERSION_MAJOR}.${VERSION_MINOR}.0.${VERSION_PATCH}")

# A build that fails leaves no download behind, not even one of an earlier build.
set(SETUP_NAME ${DIST}/${name}-setup.exe)
set(downloads ${DIST}/${name}.zip ${SETUP_NAME})
file(REMOVE ${downloads})

# --- Signing --------------------------------------------------------------------------
# Before the times are set and the files packed, so that both downloads carry the signed
# program. Signed without a time-stamp server, the files stay the same from the same commit.
# sign verifies each signature it makes and fails with the reason; makensis stops when it
# fails on the uninstaller or the installer (`= 0`: the exit code must be 0).
# makensis runs its !finalize lines through a shell, where the homepage's own characters
# (& ; ` $) would be commands: the homepage reaches sign through the environment instead,
# and the line holds only the signer's path and fixed words.
set(sign ${CMAKE_CURRENT_LIST_DIR}/sign)
if(NOT "$ENV{TIRVEX_SIGN_PFX}" STREQUAL "")
  set(ENV{TIRVEX_SIGN_URL} "${TIRVEX_VENDOR_HOMEPAGE}")
  execute_process(COMMAND ${sign} ${STAGING}/tirvex.exe Tirvex RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Windows downloads: none made, as tirvex.exe could not be signed (above)")
  endif()
  set(NSIS_SIGN "!finalize '\"${sign}\" \"%1\" \"Tirvex setup\"' = 0
!uninstfinalize '\"${sign}\" \"%1\" \"Tirvex uninstall\"' = 0")
  set(signed_with "$ENV{TIRVEX_SIGN_PFX}")
else()
  set(NSIS_SIGN "")
  message(STATUS "Windows downloads: unsigned (TIRVEX_SIGN_PFX and TIRVEX_SIGN_PASSWORD sign them)")
endif()

# Every file carries the time of the commit it was built from, so that the installer, which
# keeps each file's time, is the same from the same commit.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND find ${STAGING} -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} +
    COMMAND_ERROR_IS_FATAL ANY)
endif()

# --- The zip --------------------------------------------------------------------------
execute_process(COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/reproducible_zip.py
  ${DIST}/${name}.zip ${STAGING} COMMAND_ERROR_IS_FATAL ANY)

# --- The installer --------------------------------------------------------------------
file(GLOB_RECURSE files RELATIVE ${STAGING} ${STAGING}/*)
# Folder by folder, the top folder first, so each needs one SetOutPath.
set(keyed "")
foreach(file IN LISTS files)
  get_filename_component(folder "${file}" DIRECTORY)
  if(folder)
    list(APPEND keyed "1${folder}|${file}")
  else()
    list(APPEND keyed "0|${file}")
  endif()
endforeach()
list(SORT keyed)
list(TRANSFORM keyed REPLACE "^[^|]*\\|" "")
set(files ${keyed})
set(NSIS_INSTALL "")
set(NSIS_UNINSTALL "")
set(NSIS_UNINSTALL_FOLDERS "")
set(folders "")
set(size 0)
set(current_folder "-")
foreach(file IN LISTS files)
  get_filename_component(folder "${file}" DIRECTORY)
  string(REPLACE "/" "\\" win_file "${file}")
  string(REPLACE "/" "\\" win_folder "${folder}")
  if(NOT folder STREQUAL current_folder)
    set(current_folder "${folder}")
    if(folder)
      string(APPEND NSIS_INSTALL "  SetOutPath \"$INSTDIR\\${win_folder}\"\n")
      list(APPEND folders "${win_folder}")
    endif()
  endif()
  string(APPEND NSIS_INSTALL "  File \"${name}\\${win_file}\"\n")
  string(APPEND NSIS_UNINSTALL "  Delete \"$INSTDIR\\${win_file}\"\n")
  file(SIZE ${STAGING}/${file} bytes)
  math(EXPR size "${size} + ${bytes}")
endforeach()
string(APPEND NSIS_INSTALL "  SetOutPath \"$INSTDIR\"")
# Inner folders before the folders that hold them.
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
  string(APPEND NSIS_UNINSTALL_FOLDERS "  RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
string(REGEX REPLACE "\n$" "" NSIS_UNINSTALL "${NSIS_UNINSTALL}")
string(REGEX REPLACE "\n$" "" NSIS_UNINSTALL_FOLDERS "${NSIS_UNINSTALL_FOLDERS}")
math(EXPR SIZE_KB "(${size} + 1023) / 1024")

# The installer's header, and the uninstaller made from it, carry the commit's time.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(NSIS_STAMP "!packhdr \"header.tmp\" '/usr/bin/python3 \"${CMAKE_CURRENT_LIST_DIR}/pe_time.py\" header.tmp $ENV{SOURCE_DATE_EPOCH}'")
else()
  set(NSIS_STAMP "")
endif()
set(ICON_NAME ${name}-icon.ico)
file(COPY_FILE ${ICON} ${out_dir}/${ICON_NAME})
# makensis reads a plain-text licence as UTF-8 only with a byte-order mark; the page's text
# box wants Windows line ends.
set(TERMS_NAME ${name}-terms.txt)
execute_process(COMMAND /usr/bin/python3 -c [[
import sys
text = open(sys.argv[1], encoding="utf-8-sig").read()
open(sys.argv[2], "w", encoding="utf-8-sig", newline="\r\n").write(text)
]] ${TIRVEX_VENDOR_TERMS} ${out_dir}/${TERMS_NAME} COMMAND_ERROR_IS_FATAL ANY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/installer.nsi.in ${out_dir}/${name}.nsi @ONLY)
# Warnings are errors: a time stamp that could not be written (!packhdr) is only a warning
# to makensis, and would give an installer that differs from build to build.
execute_process(COMMAND ${MAKENSIS} -V2 -WX -INPUTCHARSET UTF8 ${name}.nsi
  WORKING_DIRECTORY ${out_dir} RESULT_VARIABLE failed)
if(failed)
  file(REMOVE ${downloads})
  message(FATAL_ERROR "Windows downloads: none made, as makensis failed (above)")
endif()
if(DEFINED signed_with)
  message(STATUS "Windows downloads: tirvex.exe, the uninstaller and the installer signed with ${signed_with}, each signature verified")
endif()
message(STATUS "Windows downloads: ${DIST}/${name}.zip, ${SETUP_NAME}")
