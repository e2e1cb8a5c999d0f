# Writes, beside the Windows downloads, what the LGPLv3 asks for a program linked
# statically with Qt, then the checksums of everything in DIST:
#   <name>-relink.zip  the relinking kit: the program's objects, its static libraries, the
#                      link step and the toolchain, to link tirvex.exe against a modified Qt
#   qt-source/         the Qt source the program was built with, as it built the Qt in
#                      the cache: Debian's source package, build-qt and its toolchain file,
#                      and the configure options written out
#   <name>-with-qt-source.zip   the program folder (STAGING), qt-source/ and the kit in one
#                      file, for a copy handed on without the place it was published
#   SHA256SUMS         "<sha256>  <file>" for every file above and the two downloads
#   cmake -DDIST=<dist> -DNAME=<name> -DSTAGING=<staged program folder> -DKIT=<kit files>
#         -DOBJECTS=<objects> -DLIBS=<the static libraries, |-separated> -DTOOLCHAIN=<cmake dir>
#         -DQT_RECORD=<qt>/share/tirvex -P make-relink-kit.cmake
cmake_minimum_required(VERSION 3.25)
set(kit ${DIST}/${NAME}-relink)
set(zip_tool /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/reproducible_zip.py)
file(REMOVE_RECURSE ${kit})
file(COPY ${KIT}/CMakeLists.txt ${KIT}/README.txt DESTINATION ${kit})
file(COPY ${TOOLCHAIN}/mingw-w64-x86_64.cmake ${TOOLCHAIN}/windows-build.cmake DESTINATION ${kit}/toolchain)
string(REPLACE "|" ";" LIBS "${LIBS}")
file(COPY ${LIBS} DESTINATION ${kit}/lib)
file(MAKE_DIRECTORY ${kit}/obj)
# The link step links the objects in the order of obj/objects.txt, which is the order the
# program was linked in: another order gives another tirvex.exe. Each name starts with its
# place in that order, so two objects of one base name (main.cpp in two folders) stay two.
string(REPLACE "|" ";" OBJECTS "${OBJECTS}")
set(listed "")
set(place 0)
foreach(object IN LISTS OBJECTS)
  math(EXPR place "${place} + 1")
  # The compiled version record (.res) is an object file like the others.
  get_filename_component(object_name ${object} NAME)
  string(REGEX REPLACE "\\.res$" ".obj" object_name ${object_name})
  string(LENGTH "${place}" digits)
  math(EXPR zeros "3 - ${digits}")
  string(REPEAT 0 ${zeros} padding)
  set(object_name "${padding}${place}-${object_name}")
  file(COPY_FILE ${object} ${kit}/obj/${object_name})
  string(APPEND listed "${object_name}\n")
endforeach()
file(WRITE ${kit}/obj/objects.txt "${listed}")
execute_process(COMMAND ${zip_tool} ${kit}.zip ${kit} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${kit})

if(NOT EXISTS ${QT_RECORD}/qt-source/build-qt)
  message(FATAL_ERROR "${QT_RECORD} keeps no qt-source/ folder: rebuild Qt with scripts/build-qt-windows")
endif()
file(COPY ${QT_RECORD}/qt-source DESTINATION ${DIST})
message(STATUS "Relinking kit: ${kit}.zip; Qt's source: ${DIST}/qt-source")

# One file for a USB stick: whoever is handed it has the program and all the LGPLv3 asks
# to come with it.
get_filename_component(staging_parent ${STAGING} DIRECTORY)
set(stick ${staging_parent}/${NAME}-with-qt-source)
file(REMOVE_RECURSE ${stick})
file(COPY ${STAGING} ${DIST}/qt-source ${kit}.zip DESTINATION ${stick})
execute_process(COMMAND ${zip_tool} ${DIST}/${NAME}-with-qt-source.zip ${stick} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${stick})

# Checksums a vendor publishes beside the files (sha256sum -c SHA256SUMS checks them).
file(GLOB_RECURSE published RELATIVE ${DIST} ${DIST}/*)
list(REMOVE_ITEM published SHA256SUMS)
list(SORT published)
set(sums "")
foreach(file IN LISTS published)
  file(SHA256 ${DIST}/${file} sum)
  string(APPEND sums "${sum}  ${file}\n")
endforeach()
file(WRITE ${DIST}/SHA256SUMS "${sums}")
message(STATUS "Stick: ${DIST}/${NAME}-with-qt-source.zip; checksums: ${DIST}/SHA256SUMS")
