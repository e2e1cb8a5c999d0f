#include "engine/conversions.h"
#include "app/twips.h"
#include "app/version.h"

#include <QTest>

class TestConversions : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void textToNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("list entry with a leading blank") << " 5" << 5.0;
        QTest::newRow("leading zeros") << "035000" << 35000.0;
        QTest::newRow("digits then letters") << "12ab" << 12.0;
        QTest::newRow("letters only") << "abc" << 0.0;
        QTest::newRow("negative") << "-1" << -1.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("six zeros") << "000000" << 0.0;
        QTest::newRow("largest bound") << "999999" << 999999.0;
        QTest::newRow("blanks then sign") << "   -42x" << -42.0;
        QTest::newRow("blank between sign and digits") << "- 5" << 0.0;
        QTest::newRow("digits after a blank are not read") << "12 34" << 12.0;
        QTest::newRow("Persian digits are not decimal digits") << "۱۲" << 0.0;
        QTest::newRow("decimal point ends the number") << "3.9" << 3.0;
        QTest::newRow("a tab is not a blank") << "\t5" << 0.0;
    }
    void textToNumber() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(TextToNumber(text), expected);
    }

    void longDigitRunsDoNotWrap() {
        // Far more digits than a bound can hold still read as a large positive number.
        QVERIFY(TextToNumber(QString(400, QLatin1Char('9'))) > 1e300);
        QCOMPARE(TextToNumber(QStringLiteral("0000000000000000000001")), 1.0);
    }

    void numberToText_data() {
        QTest::addColumn<double>("number");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("minus one") << -1.0 << "-1";
        QTest::newRow("twelve") << 12.0 << "12";
        QTest::newRow("double five") << 5.0 << "5";
        QTest::newRow("single precision nine") << double(9.0f) << "9";
        QTest::newRow("large whole") << 999999.0 << "999999";
    }
    void numberToText() {
        QFETCH(double, number);
        QFETCH(QString, expected);
        QCOMPARE(NumberToText(number), expected);
        QCOMPARE(NumberToText(float(number)), expected);
    }

    void numberToTextFromIntegers() {
        QCOMPARE(NumberToText(0), QStringLiteral("0"));
        QCOMPARE(NumberToText(-1), QStringLiteral("-1"));
        QCOMPARE(NumberToText(12), QStringLiteral("12"));
    }

    void roundTripsEveryBound() {
        for (int n = 0; n <= 999999; n += 997) {
            const QString text = NumberToText(n);
            QCOMPARE(TextToNumber(text), double(n));
            QCOMPARE(NumberToText(TextToNumber(text)), text);
        }
    }

    // Widgets stand at the nearest pixel to their twips, 15 to a pixel, on either side of 0.
    void twipsToNearestPixel_data() {
        QTest::addColumn<double>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("zero") << 0.0 << 0;
        QTest::newRow("a whole pixel") << 4320.0 << 288;
        QTest::newRow("just under half a pixel more") << 1087.0 << 72;
        QTest::newRow("just over half a pixel more") << 1088.0 << 73;
        QTest::newRow("two thirds of a pixel") << 10.0 << 1;
        QTest::newRow("left of the screen, under half") << -22.0 << -1;
        QTest::newRow("left of the screen, over half") << -23.0 << -2;
    }
    void twipsToNearestPixel() {
        QFETCH(double, twips);
        QTEST(twips::toPixels(twips), "pixels");
    }

    void versionText() {
        QCOMPARE(VersionText(), QStringLiteral("1.0.12"));
        const ProgramVersion v = programVersion();
        QCOMPARE(v.major, 1);
        QCOMPARE(v.minor, 0);
        QCOMPARE(v.revision, 12);
    }
};

QTEST_GUILESS_MAIN(TestConversions)
#include "test_conversions.moc"
