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

// The icon of a window that shows none: a single clear pixel, where an empty icon would
// let the window fall back to its owner's icon or the platform's default.
QIcon noIcon();
} // namespace pictures
