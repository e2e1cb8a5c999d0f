#include "app/bidi.h"
#include "test_main.h"

#include <QTextLayout>

class TestBidi : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // A Persian sentence with a path in it, and more Persian after the path: read right to
    // left, the words before the path, the path itself left to right, then the words after.
    void pathInsidePersianReadsInOrder_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("Windows, a Persian folder") << QStringLiteral("C:\\قرعه ۱۴۰۵\\green.gif");
        QTest::newRow("Debian") << QStringLiteral("/home/draws/green.gif");
        QTest::newRow("a key") << QStringLiteral("Ctrl+Enter");
    }
    void pathInsidePersianReadsInOrder() {
        QFETCH(QString, path);
        const QString before = QStringLiteral("پرونده‌ی ");
        const QString after = QStringLiteral(" را کنار برنامه بگذارید");
        const QString text = before + bidi::leftToRight(path) + after;
        QTextLayout layout(text);
        QTextOption option;
        option.setTextDirection(Qt::RightToLeft);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLineWidth(1e6);
        layout.endLayout();
        // Each part is found by its second character, inside its own run.
        auto x = [&](const QString& part) { return line.cursorToX(int(text.indexOf(part)) + 1); };
        const qreal xs[] = {x(after.mid(1)), x(path.left(2)), x(path.right(5)), x(before)};
        QVERIFY2(
            xs[0] < xs[1] && xs[1] < xs[2] && xs[2] < xs[3],
            qPrintable(QStringLiteral("%1 %2 %3 %4").arg(xs[0]).arg(xs[1]).arg(xs[2]).arg(xs[3])));
    }
};

TIRVEX_TEST_MAIN(TestBidi)
#include "test_bidi.moc"
