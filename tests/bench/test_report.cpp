// The judging of the benchmark table: summaries, the reading of the sample file, and each
// goal's verdict at and around its limit.
#include "bench/report_table.h"

#include <QTest>
#include <cmath>
#include <sstream>

using bench::report::parse;
using bench::report::quantile;
using bench::report::Series;
using bench::report::SeriesMap;
using bench::report::table;

namespace {
// The table row whose first cell starts with the given text.
QString rowOf(const std::string& rendered, const QString& start) {
    const QStringList lines = QString::fromStdString(rendered).split(QLatin1Char('\n'));
    for (const QString& line : lines)
        if (line.startsWith(QStringLiteral("| ") + start))
            return line;
    return QString();
}

QString verdictOf(QString row) {
    // A pipe inside a cell is written escaped.
    const QStringList cells =
        row.replace(QStringLiteral("\\|"), QStringLiteral("/")).split(QLatin1Char('|'));
    return cells.size() > 4 ? cells.at(4).trimmed() : QString();
}

Series repeated(double value, int count) {
    return Series(std::size_t(count), value);
}
} // namespace

class TestReport : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void quantiles_data() {
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<double>("q");
        QTest::addColumn<double>("expected");
        QTest::newRow("one value") << QList<double>{7} << 0.99 << 7.0;
        QTest::newRow("median of an even count") << QList<double>{4, 1, 3, 2} << 0.5 << 2.5;
        QTest::newRow("unsorted minimum") << QList<double>{3, -1, 2} << 0.0 << -1.0;
        QTest::newRow("unsorted maximum") << QList<double>{3, 9, 2} << 1.0 << 9.0;
        QTest::newRow("between neighbours") << QList<double>{0, 10} << 0.25 << 2.5;
    }
    void quantiles() {
        QFETCH(QList<double>, values);
        QFETCH(double, q);
        QFETCH(double, expected);
        QCOMPARE(quantile(Series(values.begin(), values.end()), q), expected);
    }

    void noValuesHaveNoQuantile() { QVERIFY(std::isnan(quantile({}, 0.5))); }

    void readsOnlyWellFormedSamples() {
        std::istringstream in("startup.ratio\t1.5\n"
                              "startup.ratio\t0.5\n"
                              "no tab 3\n"
                              "\t4\n"
                              "cpu.idle.pct\tabc\n"
                              "cpu.idle.pct\tnan\n"
                              "cpu.idle.pct\t0.02\n");
        const SeriesMap series = parse(in);
        QCOMPARE(series.size(), std::size_t(2));
        QCOMPARE(series.at("startup.ratio"), (Series{1.5, 0.5}));
        QCOMPARE(series.at("cpu.idle.pct"), (Series{0.02}));
    }

    void verdicts_data() {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<QString>("verdict");
        const QString startup = QStringLiteral("1. Start-up ratio");
        const QString memory = QStringLiteral("2. Memory ratio after a whole draw");
        const QString cpu = QStringLiteral("5. CPU, share of one core during a draw");
        const QString idle = QStringLiteral("5. CPU, stage open and idle");
        const QString paint = QStringLiteral("4. One tick + its repaint, 1920×1080");
        QTest::newRow("start-up median at the limit")
            << startup << "startup.ratio" << QList<double>{1.0, 1.25, 3.0} << "met";
        QTest::newRow("start-up median above, though the best round is below")
            << startup << "startup.ratio" << QList<double>{1.0, 1.26, 1.3} << "**missed**";
        QTest::newRow("memory below")
            << memory << "rssdraw.ratio" << QList<double>{1.29, 1.31, 1.2} << "met";
        QTest::newRow("memory above")
            << memory << "rssdraw.ratio" << QList<double>{1.31} << "**missed**";
        QTest::newRow("cpu within")
            << cpu << "cpu.draw.pct" << QList<double>{0.8, 2.0, 5.0} << "met";
        QTest::newRow("idle about zero")
            << idle << "cpu.idle.pct" << QList<double>{0.1, 0.0, 0.3} << "met";
        QTest::newRow("idle busy")
            << idle << "cpu.idle.pct" << QList<double>{0.2, 0.2, 0.0} << "**missed**";
        QTest::newRow("paint median and worst case within")
            << paint << "paint.1080p.update.ms" << QList<double>{0.2, 0.3, 12.0} << "met";
        QTest::newRow("paint median within, one tick too slow")
            << paint << "paint.1080p.update.ms" << QList<double>{0.2, 0.3, 12.5} << "**missed**";
        QTest::newRow("paint median too slow")
            << paint << "paint.1080p.update.ms" << QList<double>{4.5, 4.5, 1.0} << "**missed**";
        QTest::newRow("no figure is no verdict")
            << startup << "startup.tirvex.ms" << QList<double>{100} << "not measured";
    }
    void verdicts() {
        QFETCH(QString, row);
        QFETCH(QString, key);
        QFETCH(QList<double>, values);
        QFETCH(QString, verdict);
        SeriesMap series;
        series[key.toStdString()] = Series(values.begin(), values.end());
        const QString line = rowOf(table(series), row);
        QVERIFY2(!line.isEmpty(), qPrintable(row));
        QCOMPARE(verdictOf(line), verdict);
    }

    // The tick goal holds for all ticks of all draws together: one late tick in a hundred
    // passes, two do not.
    void tickGoalPoolsEveryTick() {
        const QString row = QStringLiteral("3. Tick error");
        SeriesMap series;
        series["tick.draw.p99.ms"] = {1.0};
        series["tick.error.ms"] = repeated(0.5, 199);
        series["tick.error.ms"].push_back(30.0);
        QCOMPARE(verdictOf(rowOf(table(series), row)), QStringLiteral("met"));
        series["tick.error.ms"] = repeated(0.5, 98);
        series["tick.error.ms"].insert(series["tick.error.ms"].end(), {30.0, 30.0});
        QCOMPARE(verdictOf(rowOf(table(series), row)), QStringLiteral("**missed**"));
    }

    void memoryIsShownInMebibytes() {
        SeriesMap series;
        series["rss1s.tirvex.kib"] = {30720, 31744, 29696};
        const QString line =
            rowOf(table(series), QStringLiteral("2. Resident memory 1 s after start, tirvex"));
        QVERIFY(line.contains(QStringLiteral("| 30.0 MiB |")));
        QVERIFY(line.contains(QStringLiteral("| 30.0 | 29.0 | 31.0 | 3 |")));
    }
};

QTEST_GUILESS_MAIN(TestReport)
#include "test_report.moc"
