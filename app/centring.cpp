#include "app/centring.h"

#include "app/frame_extents.h"
#include "app/screens.h"
#include "app/trace.h"

#include <QElapsedTimer>
#include <QWidget>

namespace centring {
void centreOnScreen(QWidget& window, const QScreen* screen) {
    // The native window is made first, so the time traced is the asking alone.
    window.winId();
    QElapsedTimer asked;
    asked.start();
    const QMargins frame = window.windowFlags().testFlag(Qt::FramelessWindowHint)
                               ? QMargins()
                               : frame_extents::expected(window);
    trace::line(QStringLiteral("frame %1 %2 %3 %4 learnt in %5 ms")
                    .arg(frame.left())
                    .arg(frame.right())
                    .arg(frame.top())
                    .arg(frame.bottom())
                    .arg(double(asked.nsecsElapsed()) / 1e6, 0, 'f', 2));
    const QRect area = screens::area(screen);
    const QSize outer = window.size().grownBy(frame);
    const QPoint outerTopLeft(area.x() + (area.width() - outer.width()) / 2,
                              area.y() + (area.height() - outer.height()) / 2);
    // The inner area is placed, not the frame: where the frame is not drawn by the program
    // the window manager puts it around the inner area as it stands.
    window.setGeometry(QRect(outerTopLeft + QPoint(frame.left(), frame.top()), window.size()));
}
} // namespace centring
