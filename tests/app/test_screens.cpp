#include "app/screens.h"

#include <QTest>

class TestScreens : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // An 800 x 600 frame (or a larger one) moved back onto a 1920 x 1080 screen: the left one
    // of two side by side, or the lower one of two stacked.
    void windowIsPulledBackByTheEdgeItReachesPast_data() {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QPoint>("at");
        const QRect left(0, 0, 1920, 1080), lower(0, 1080, 1920, 1080);
        QTest::newRow("inside") << left << QRect(100, 100, 800, 600) << QPoint(100, 100);
        QTest::newRow("past the bottom") << left << QRect(100, 700, 800, 600) << QPoint(100, 480);
        QTest::newRow("past the right") << left << QRect(1500, 100, 800, 600) << QPoint(1120, 100);
        QTest::newRow("past the left and top") << left << QRect(-50, -30, 800, 600) << QPoint(0, 0);
        QTest::newRow("larger") << left << QRect(10, 10, 2000, 1200) << QPoint(0, 0);
        QTest::newRow("lower screen, past its bottom")
            << lower << QRect(100, 1900, 800, 600) << QPoint(100, 1560);
        QTest::newRow("lower screen, past its top")
            << lower << QRect(100, 1000, 800, 600) << QPoint(100, 1080);
    }
    void windowIsPulledBackByTheEdgeItReachesPast() {
        QFETCH(QRect, area);
        QFETCH(QRect, frame);
        QFETCH(QPoint, at);
        QCOMPARE(screens::pulledOnto(frame, area), at);
    }
};

QTEST_GUILESS_MAIN(TestScreens)
#include "test_screens.moc"
