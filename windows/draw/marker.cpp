#include "windows/draw/marker.h"

#include "app/error_report.h"
#include "app/twips.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMovie>
#include <QPainter>

#include <algorithm>

namespace {
// A GIF cut short still yields the frames before the cut, so it would load and then stop,
// or show a half-drawn frame, in front of the audience. A whole animation ends with the
// format's trailer byte and every frame it announces can be decoded.
bool wholeAnimation(const QByteArray& bytes, QMovie& movie) {
    if (!bytes.endsWith('\x3B'))
        return false;
    for (int frame = 1; frame < movie.frameCount(); ++frame)
        if (!movie.jumpToFrame(frame))
            return false;
    return movie.jumpToFrame(0);
}
} // namespace

// The marker keeps every frame decoded for the whole draw. A GIF says how large its frames
// are and holds them packed, so a file of a kilobyte can ask for gigabytes and half a
// minute of decoding, in front of the audience. What the frames will take is known from
// the header and a scan of the frame headers, before anything is decoded: each frame at
// four bytes a pixel, at the size of the animation's logical screen (the canvas every frame
// is drawn onto) or of its first frame where the decoder takes that instead, and a
// kilobyte more for each frame's own keeping, so that countless tiny frames count too.
double AniGifDisplay::decodedSize(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    double width = std::max(reader.size().width(), 0);
    double height = std::max(reader.size().height(), 0);
    if (bytes.startsWith("GIF8") && bytes.size() >= 10) {
        auto word = [&](int at) { return uchar(bytes[at]) | uchar(bytes[at + 1]) << 8; };
        width = std::max(width, double(word(6)));
        height = std::max(height, double(word(8)));
    }
    const double frames = std::max(reader.imageCount(), 1);
    return frames * (width * height * 4 + 1024);
}

AniGifDisplay::AniGifDisplay(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

AniGifDisplay::~AniGifDisplay() = default;

void AniGifDisplay::LoadFile(const QString& path, const QString& ignored) {
    (void)ignored;
    delete movie_;
    movie_ = nullptr;
    update();
    const QFileInfo info(path);
    auto fail = [&](const char* why) {
        const QString detail = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path),
                                                            QString::fromLatin1(why));
        throw error_report::Failure(
            QStringLiteral("cannot load the marker animation ") + detail,
            QStringLiteral("پرونده نشانگر متحرک خوانده نشد."), detail);
    };
    if (!info.exists())
        fail("the file does not exist");
    if (!info.isFile())
        fail("it is not a file");
    // The animation is read whole and decoded from memory: the file is not held open while
    // the stage is shown, so on Windows it can be put back or replaced between draws. A
    // marker is a few kilobytes; a file far larger is not one, and is not read into memory.
    if (info.size() > 64 * 1024 * 1024)
        fail("it is too large for a marker animation");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail("it cannot be read");
    const QByteArray bytes = file.readAll();
    file.close();
    // Measured on the bytes read, not on the file, which could be replaced in between.
    if (decodedSize(bytes) > DecodedLimit)
        fail("its frames decode to more than 64 MB, too large for a marker animation");
    auto* movie = new QMovie(this);
    auto* buffer = new QBuffer(movie);
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    movie->setDevice(buffer);
    // Every frame is decoded once and kept: the marker loops for the whole draw.
    movie->setCacheMode(QMovie::CacheAll);
    if (!movie->isValid() || !movie->jumpToFrame(0) || movie->currentPixmap().isNull()) {
        delete movie;
        fail("it is not a readable GIF animation");
    }
    if (!wholeAnimation(bytes, *movie)) {
        delete movie;
        fail("the animation is cut short");
    }
    movie_ = movie;
    connect(movie_, &QMovie::frameChanged, this, qOverload<>(&QWidget::update));
    if (isVisible())
        movie_->start();
    update();
}

float AniGifDisplay::Left() const { return twips::left(this); }

void AniGifDisplay::setLeft(double twipsLeft) { twips::setLeft(this, twipsLeft); }

void AniGifDisplay::paintEvent(QPaintEvent*) {
    if (!movie_)
        return;
    QPainter painter(this);
    const QPixmap frame = movie_->currentPixmap();
    // Centred in the marker's rectangle, at its own size: no scaling on every frame. Only
    // on a stage shrunk to fit a small screen is the frame shrunk with it.
    QSize shown = frame.deviceIndependentSize().toSize();
    if (shown.width() > width() || shown.height() > height()) {
        shown.scale(size(), Qt::KeepAspectRatio);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    }
    const QRect at(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
    painter.drawPixmap(at, frame);
}

void AniGifDisplay::showEvent(QShowEvent*) {
    if (movie_ && movie_->state() != QMovie::Running)
        movie_->start();
}

void AniGifDisplay::hideEvent(QHideEvent*) {
    // A hidden marker costs nothing: the animation waits until it is shown again.
    if (movie_)
        movie_->stop();
}
