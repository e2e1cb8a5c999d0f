# Writes, beside the Windows downloads, what the LGPLv3 asks for a program linked
# statically with Qt:
#   <name>.zip   the relinking kit: the program's objects, its static library, the link
#                step and the toolchain, to link tirvex.exe against a modified Qt
#   qt-source/   the Qt source the program was built with: Debian's source package, the
#                configure options, the script that builds it and its toolchain file
#   cmake -DDIST=<dist> -DNAME=<name> -DKIT=<generated kit files> -DOBJECTS=<objects>
#         -DCORE=<libtirvex_core.a> -DTOOLCHAIN=<cmake dir> -DQT_RECORD=<qt>/share/tirvex
#         -DQT_SCRIPT=<build-qt-windows> -P make-relink-kit.cmake
cmake_minimum_required(VERSION 3.25)
set(kit ${DIST}/${NAME})
file(REMOVE_RECURSE ${kit})
file(COPY ${KIT}/CMakeLists.txt ${KIT}/README.txt DESTINATION ${kit})
file(COPY ${TOOLCHAIN}/mingw-w64-x86_64.cmake ${TOOLCHAIN}/windows-build.cmake DESTINATION ${kit}/toolchain)
file(COPY ${CORE} DESTINATION ${kit}/lib)
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
execute_process(COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/reproducible_zip.py
  ${DIST}/${NAME}.zip ${kit} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${kit})

file(GLOB qt_source ${QT_RECORD}/source/*)
file(COPY ${qt_source} ${QT_RECORD}/configure-options.txt ${QT_SCRIPT}
  ${TOOLCHAIN}/mingw-w64-x86_64.cmake DESTINATION ${DIST}/qt-source)
message(STATUS "Relinking kit: ${DIST}/${NAME}.zip; Qt's source: ${DIST}/qt-source")
