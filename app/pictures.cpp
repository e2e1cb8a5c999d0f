#include "app/pictures.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace pictures {

QPixmap load(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile())
        return QPixmap();
    QImageReader reader(path, info.suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull()) {
        // A file whose name does not tell its format: let the plugins look at its content.
        QImageReader guessing(path);
        image = guessing.read();
    }
    return QPixmap::fromImage(std::move(image));
}

QIcon noIcon() {
    // A new pixmap holds whatever memory it was given until it is filled.
    QPixmap none(1, 1);
    none.fill(Qt::transparent);
    return QIcon(none);
}

} // namespace pictures
