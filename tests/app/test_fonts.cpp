// The Persian faces of the designs: where they are not installed, the bundled face, which
// is registered from the program's own data, stands in at every weight the designs use.
#include "app/fonts.h"
#include "test_main.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainterPath>
#include <QRawFont>

class TestFonts : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void persianFacesFallToTheBundledFace_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::newRow("stage digits") << "B Titr" << 150.0 << true;
        QTest::newRow("stage window font") << "B Titr" << 9.75 << true;
        QTest::newRow("regular Titr") << "B Titr" << 12.0 << false;
        QTest::newRow("Jadid") << "B Jadid" << 14.25 << true;
        QTest::newRow("regular Jadid") << "B Jadid" << 10.5 << false;
    }
    void persianFacesFallToTheBundledFace() {
        QFETCH(QString, face);
        QFETCH(double, points);
        QFETCH(bool, bold);
        if (QFontDatabase::families().contains(face))
            QSKIP("the face itself is installed here");
        const QFont font = fonts::designFont(face, points, bold);
        QCOMPARE(QFontInfo(font).family(), QString::fromLatin1(fonts::BundledFamily));
        // The face really opens: it has glyphs, for the Persian letters and the digits.
        const QRawFont raw = QRawFont::fromFont(font);
        QVERIFY(raw.isValid());
        QVERIFY(raw.supportsCharacter(QChar(0x0642))); // qaf
        QVERIFY(raw.supportsCharacter(QLatin1Char('5')));
    }
    // Where the bundled face stands in for Arial, "LGPLv3" would read with a Persian three.
    void latinTextKeepsLatinDigits() {
        const QFont bundled = fonts::designFont(QString::fromLatin1(fonts::BundledFamily), 8.25, false);
        const QRawFont farsi = QRawFont::fromFont(bundled);
        const auto outline = [](const QRawFont& raw, const QString& text) {
            return raw.pathForGlyph(raw.glyphIndexesForString(text).value(0));
        };
        QCOMPARE(outline(farsi, QStringLiteral("3")), outline(farsi, QStringLiteral("\u06F3")));
        if (QFontDatabase::families() == QStringList{QString::fromLatin1(fonts::BundledFamily)})
            QSKIP("no face but the bundled one is installed here (Qt's offscreen platform under Wine)");
        const QFont latin = fonts::withLatinDigits(bundled);
        QVERIFY(QFontInfo(latin).family() != QString::fromLatin1(fonts::BundledFamily));
        QCOMPARE(latin.pixelSize(), bundled.pixelSize());
        const QRawFont drawn = QRawFont::fromFont(latin);
        QVERIFY(drawn.supportsCharacter(QLatin1Char('3')));
        QVERIFY(outline(drawn, QStringLiteral("3")) != outline(drawn, QStringLiteral("\u06F3")));
        const QFont arialLike(QStringLiteral("DejaVu Sans"));
        QCOMPARE(fonts::withLatinDigits(arialLike), arialLike);
    }
};

TIRVEX_TEST_MAIN(TestFonts)
#include "test_fonts.moc"
