#include "app/pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace {
// Reads the file in the format its name names; see the header for why.
void formatFromName(QImageReader& reader, const QFileInfo& info) {
    reader.setFormat(info.suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
}
} // namespace

namespace pictures {

QPixmap load(const QString& path, const QSize& size) {
    const QFileInfo info(path);
    if (!info.isFile())
        return QPixmap();
    QImageReader reader(path);
    formatFromName(reader, info);
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

QPixmap forRatio(const QString& path, qreal ratio) {
    if (ratio <= 1.0)
        return load(path);
    const QFileInfo info(path);
    QImageReader reader(path);
    formatFromName(reader, info);
    const QSize size = reader.size();
    if (!size.isValid())
        return load(path);
    const QString dense = info.path() + QLatin1Char('/') + info.completeBaseName() +
                          QStringLiteral("@2x.") + info.suffix();
    QPixmap pixmap =
        load(QFileInfo(dense).isFile() ? dense : path, (QSizeF(size) * ratio).toSize());
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QIcon icon(const QString& path) {
    const QFileInfo info(path);
    QIcon sized(load(path));
    const QString stem = info.completeBaseName().section(QLatin1Char('-'), 0, -2);
    if (stem.isEmpty())
        return sized;
    const QDir folder = info.dir();
    const QString pattern = stem + QStringLiteral("-*.") + info.suffix();
    for (const QString& name : folder.entryList({pattern}, QDir::Files, QDir::Name)) {
        bool isSize = false;
        QFileInfo(name).completeBaseName().mid(stem.size() + 1).toUInt(&isSize);
        if (isSize && name != info.fileName())
            sized.addPixmap(load(folder.filePath(name)));
    }
    return sized;
}

QIcon noIcon() {
    // A new pixmap holds whatever memory it was given until it is filled.
    QPixmap none(1, 1);
    none.fill(Qt::transparent);
    return QIcon(none);
}

} // namespace pictures
