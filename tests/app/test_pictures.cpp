// The windows' pictures: read in the format their name gives, still read when the name
// lies, without loading image plugins the program never uses, and drawn at the screen's
// density. The whole test runs at 150 %, as on a laptop with Windows' scaling.
#include "app/pictures.h"
#include "test_main.h"
#include "windows/range_entry/main_form.h"

#include <QDir>
#include <QFile>
#include <QScreen>
#include <QImage>
#include <QLabel>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTemporaryDir>
#include <algorithm>

namespace {
// The image plugins that are loaded into this process, by their library names.
QStringList loadedImagePlugins() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {QStringLiteral("(unreadable)")};
    QStringList found;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const int at = line.indexOf("/imageformats/");
        if (at < 0)
            continue;
        const QString name = QString::fromLocal8Bit(line.mid(at + 14));
        if (!found.contains(name))
            found << name;
    }
    return found;
}
} // namespace

class TestPictures : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // First, before anything in this process reads a picture.
    void buildingAWindowLoadsOnlyThePluginsOfItsPictures() {
#ifdef QT_STATIC
        QSKIP("Qt is linked statically: its picture plugins are in the program, not loaded files");
#endif
        if (!QFile::exists(QStringLiteral("/proc/self/maps")))
            QSKIP("no /proc/self/maps to look into");
        QCOMPARE(loadedImagePlugins(), QStringList());
        // The range entry window has a menu bar, a PNG icon and a JPEG background.
        MainForm& form = mainForm();
        form.Load();
        QVERIFY(!form.window()->windowIcon().isNull());
        QCOMPARE(loadedImagePlugins(), QStringList{QStringLiteral("libqjpeg.so")});
        form.Unload();
    }

    void readsPictures_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::newRow("PNG") << ":/images/icon-32.png" << QSize(32, 32);
        QTest::newRow("JPEG") << ":/images/background.jpg" << QSize(450, 300);
        QTest::newRow("a PNG whose name says JPEG") << "png-named.jpg" << QSize(7, 5);
        QTest::newRow("a file with no suffix") << "no-suffix" << QSize(7, 5);
        QTest::newRow("text named as a picture") << "text.png" << QSize();
        QTest::newRow("no such file") << "missing.png" << QSize();
    }
    void readsPictures() {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QTemporaryDir dir;
        QImage small(7, 5, QImage::Format_RGB32);
        small.fill(Qt::green);
        QVERIFY(small.save(dir.filePath(QStringLiteral("png-named.jpg")), "PNG"));
        QVERIFY(small.save(dir.filePath(QStringLiteral("no-suffix")), "PNG"));
        QFile text(dir.filePath(QStringLiteral("text.png")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not a picture\n");
        text.close();

        const QString file = path.startsWith(QLatin1Char(':')) ? path : dir.filePath(path);
        const QPixmap picture = pictures::load(file);
        QCOMPARE(picture.isNull(), !size.isValid());
        if (size.isValid())
            QCOMPARE(picture.size(), size);
    }

    // A scaled screen gets the picture drawn for its density, never the 96-dpi one
    // stretched, at the size the design gives it; at 100 % it is the file as it stands.
    void drawnForTheDensity_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QString>("drawnFrom");
        QTest::addColumn<QSize>("pixels");
        const QString plain = QStringLiteral(":/images/background.jpg");
        const QString dense = QStringLiteral(":/images/background@2x.jpg");
        QTest::newRow("100 %") << plain << 1.0 << plain << QSize(450, 300);
        QTest::newRow("125 %") << plain << 1.25 << dense << QSize(563, 375);
        QTest::newRow("150 %") << plain << 1.5 << dense << QSize(675, 450);
        QTest::newRow("200 %") << plain << 2.0 << dense << QSize(900, 600);
        QTest::newRow("250 %") << plain << 2.5 << dense << QSize(1125, 750);
        const QString emblem = QStringLiteral(":/images/emblem.jpg");
        QTest::newRow("no larger file") << emblem << 1.5 << emblem << QSize(290, 354);
    }
    void drawnForTheDensity() {
        QFETCH(QString, path);
        QFETCH(qreal, ratio);
        QFETCH(QString, drawnFrom);
        QFETCH(QSize, pixels);
        const QPixmap picture = pictures::forRatio(path, ratio);
        QCOMPARE(picture.size(), pixels);
        QCOMPARE(picture.devicePixelRatio(), ratio);
        QCOMPARE(picture.deviceIndependentSize().toSize(), QImage(path).size());
        QImage expected(drawnFrom);
        if (expected.size() != pixels)
            expected = expected.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        expected.setDevicePixelRatio(ratio);
        QCOMPARE(picture.toImage().convertToFormat(expected.format()), expected);
    }

    void theWindowIsDrawnForItsScreen() {
        MainForm& form = mainForm();
        form.Load();
        auto* backdrop = form.window()->client()->findChild<QLabel*>(QStringLiteral("picture"));
        QVERIFY(backdrop);
        QCOMPARE(backdrop->devicePixelRatioF(), 1.5);
        QCOMPARE(backdrop->pixmap().size(), QSize(675, 450));
        QCOMPARE(backdrop->geometry(), QRect(0, 0, 450, 300));
        // Each size the platform asks for at 100 % to 200 %, drawn at that size.
        QList<QSize> sizes = form.window()->windowIcon().availableSizes();
        std::sort(sizes.begin(), sizes.end(),
                  [](QSize a, QSize b) { return a.width() < b.width(); });
        QCOMPARE(sizes, (QList<QSize>{
                            {16, 16}, {20, 20}, {24, 24}, {32, 32}, {40, 40}, {48, 48}, {64, 64}}));
        // Moved to a screen twice as dense, it is drawn again for that screen.
        form.Show();
        form.window()->move(QGuiApplication::screens().at(1)->geometry().topLeft());
        QTRY_COMPARE(backdrop->pixmap().size(), QSize(1350, 900));
        form.Unload();
    }

    // The menu bar's overflow icon is made late, but it is the style's own when drawn.
    void theOverflowIconIsTheStylesOwn_data() {
        QTest::addColumn<QStyle::StandardPixmap>("which");
        QTest::addColumn<Qt::LayoutDirection>("direction");
        for (auto direction : {Qt::LeftToRight, Qt::RightToLeft}) {
            const char* way = direction == Qt::LeftToRight ? "left to right" : "right to left";
            QTest::addRow("horizontal, %s", way)
                << QStyle::SP_ToolBarHorizontalExtensionButton << direction;
            QTest::addRow("vertical, %s", way)
                << QStyle::SP_ToolBarVerticalExtensionButton << direction;
        }
    }
    void theOverflowIconIsTheStylesOwn() {
        QFETCH(QStyle::StandardPixmap, which);
        QFETCH(Qt::LayoutDirection, direction);
        QStyleOption option;
        option.direction = direction;
        const QIcon late = QApplication::style()->standardIcon(which, &option);
        QScopedPointer<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        const QIcon own = fusion->standardIcon(which, &option);
        const QImage expected = own.pixmap(QSize(16, 16)).toImage();
        QVERIFY(!expected.isNull());
        QCOMPARE(late.pixmap(QSize(16, 16)).toImage(), expected);
        QCOMPARE(late.actualSize(QSize(32, 32)), own.actualSize(QSize(32, 32)));
    }
};

int main(int argc, char** argv) {
    // A laptop at 150 % and, to its right, a screen twice as dense.
    qputenv("QT_SCALE_FACTOR", "1.5");
    QTemporaryDir dir;
    QFile config(dir.filePath(QStringLiteral("screens.json")));
    if (!config.open(QIODevice::WriteOnly) ||
        config.write(R"({"screens": [{"name": "laptop", "width": 1024, "height": 768},
            {"name": "projector", "x": 1024, "width": 1024, "height": 768, "dpr": 2}]})") < 0)
        return 1;
    config.close();
    // The platform's arguments are parted by colons: the file is named without its drive.
    const QString started = QDir::currentPath();
    QDir::setCurrent(dir.path());
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=screens.json");
    Application app(argc, argv);
    QDir::setCurrent(started);
    TestPictures test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_pictures.moc"
