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

} // namespace pictures
