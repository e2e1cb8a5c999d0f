#include "app/frame_extents.h"

#include <QWidget>
#include <QWindow>

// Where the platform draws the frame itself (Windows), its size is known as soon as the
// native window exists.
namespace frame_extents {
QMargins expected(QWidget& window) {
    window.winId();
    const QWindow* handle = window.windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}
} // namespace frame_extents
