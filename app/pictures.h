#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The pictures a window carries in its design, read in the format their file name names.
// Left to guess, Qt first loads every image plugin installed (TIFF, WebP, MNG and the
// libraries behind them) to ask whether one of them wants a PNG, which costs start-up
// time and memory and buys nothing. A picture is decoded for the window that shows it and
// freed with it, not kept in the pixmap cache for the rest of the run.
namespace pictures {
// A null pixmap when the file cannot be read. Given a size (in device pixels), the picture
// is decoded straight to that size, as a stretched picture control shows it: a JPEG is
// then decoded at a fraction of its size, which is most of the splash window's start-up
// cost when done in full and scaled down at every paint.
QPixmap load(const QString& path, const QSize& size = QSize());

// A picture shown at its file's own size, drawn for a screen of `ratio` device pixels to
// each of the window's: decoded from the file drawn at twice the size beside it
// (name@2x.jpg) where there is one, and smoothly scaled to ratio times the file's size, so
// a scaled screen gets the detail rather than a stretched 96-dpi picture. At a ratio of 1
// it is the file itself.
QPixmap forRatio(const QString& path, qreal ratio);

// A window icon from a file named by its size (icon-32.png), together with the other
// sizes beside it (icon-16.png, icon-64.png, ...): the platform takes the size it draws
// at, which grows with the screen's scaling, rather than stretching one.
QIcon icon(const QString& path);

// The icon of a window that shows none: a single clear pixel, where an empty icon would
// let the window fall back to its owner's icon or the platform's default.
QIcon noIcon();
} // namespace pictures
