// The windows' pictures: read in the format their name gives, still read when the name
// lies, and without loading image plugins the program never uses.
#include "app/pictures.h"
#include "test_main.h"
#include "windows/range_entry/main_form.h"

#include <QFile>
#include <QImage>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTemporaryDir>

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

TIRVEX_TEST_MAIN(TestPictures)
#include "test_pictures.moc"
