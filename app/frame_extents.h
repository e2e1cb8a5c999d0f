#pragma once

#include <QMargins>

class QWidget;

// The frame a window will get around its inner area (title bar and borders), known before
// the window is first shown. One implementation per platform, chosen by the build.
namespace frame_extents {
// Creates the native window if needed. Empty margins where nothing can be learnt.
QMargins expected(QWidget& window);
} // namespace frame_extents
