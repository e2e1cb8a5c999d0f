# The toolchain for building Tirvex itself for Windows: the MinGW-w64 toolchain that built
# Qt, plus the static Qt from scripts/build-qt-windows, named by TIRVEX_QT_PREFIX.
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/windows-build.cmake -DTIRVEX_QT_PREFIX=<prefix> ...
# Kept apart from mingw-w64-x86_64.cmake, whose text is part of the Qt cache's key.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
if(TIRVEX_QT_PREFIX)
  # Packages are looked up only below the root paths, so Qt's prefix must be one of them.
  list(PREPEND CMAKE_FIND_ROOT_PATH ${TIRVEX_QT_PREFIX})
  list(PREPEND CMAKE_PREFIX_PATH ${TIRVEX_QT_PREFIX})
  # Qt's tools (moc, rcc, uic) come from the build machine's own Qt of the same version.
  set(QT_HOST_PATH /usr CACHE PATH "")
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
endif()
