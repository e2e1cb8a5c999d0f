#include "app/pictures.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace pictures {

QPixmap load(const QString& path, const QSize& size) {
    const QFileInfo info(path);
    if (!info.isFile())
        return QPixmap();
    QImageReader reader(path, info.suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    if (!size.isEmpty()) {
        // libjpeg decodes quickly at a half, a quarter or an eighth of the size (other
        // fractions cost more than the whole): the smallest of those still no smaller than
        // the control is decoded, and smoothly scaled the rest of the way.
        QSize decoded = reader.size();
        for (int step = 0; step < 3 && decoded.width() / 2 >= size.width() &&
                           decoded.height() / 2 >= size.height();
             ++step)
            decoded = QSize(decoded.width() / 2, decoded.height() / 2);
        if (decoded != reader.size())
            reader.setScaledSize(decoded);
    }
    QImage image = reader.read();
    if (image.isNull()) {
        // A file whose name does not tell its format: let the plugins look at its content.
        QImageReader guessing(path);
        image = guessing.read();
    }
    if (!size.isEmpty() && !image.isNull() && image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return QPixmap::fromImage(std::move(image));
}

QIcon noIcon() {
    // A new pixmap holds whatever memory it was given until it is filled.
    QPixmap none(1, 1);
    none.fill(Qt::transparent);
    return QIcon(none);
}

} // namespace pictures
