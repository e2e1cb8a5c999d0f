# How a window learns the size of its frame before it is shown: asked of the window
# manager under X11 (which needs libxcb), known from the native window elsewhere.
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND AND NOT WIN32)
  pkg_check_modules(TIRVEX_XCB QUIET IMPORTED_TARGET xcb)
endif()
if(TIRVEX_XCB_FOUND)
  target_sources(tirvex_forms PRIVATE app/platform/frame_extents_x11.cpp)
  target_link_libraries(tirvex_forms PUBLIC PkgConfig::TIRVEX_XCB)
else()
  target_sources(tirvex_forms PRIVATE app/platform/frame_extents_generic.cpp)
endif()
