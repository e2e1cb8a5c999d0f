// What the benchmarks read of a process from /proc: its memory figures and its CPU time,
// checked against what the process knows of itself.
#include "bench/bench_common.h"

#include <QTest>
#include <climits>
#include <vector>

class TestBenchCommon : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        if (bench::residentKiB() < 0)
            QSKIP("no /proc/self/status to read");
    }

    void memoryFigures() {
        const long rss = bench::statusKiB(0, "VmRSS");
        QVERIFY(rss > 0);
        // The field is matched whole: "VmRSS" is not read from a line that only starts so.
        QCOMPARE(bench::statusKiB(0, "VmRS"), -1L);
        QCOMPARE(bench::statusKiB(0, "NoSuchField"), -1L);
        // Of this very process, by its number: the same figure, give or take a page or two.
        QVERIFY(std::abs(bench::residentKiB(getpid()) - rss) < 1024);
        const long own = bench::residentWithoutShmemKiB();
        QVERIFY(own > 0 && own <= bench::residentKiB());
    }

    void memoryGrowsWithWhatIsTouched() {
        const long before = bench::residentKiB();
        std::vector<char> block(32 * 1024 * 1024, 1);
        QVERIFY(bench::residentKiB() - before >= 30 * 1024);
        QCOMPARE(block[12345], char(1));
    }

    void noSuchProcess() {
        QCOMPARE(bench::residentKiB(INT_MAX), -1L);
        QCOMPARE(bench::processCpuSeconds(INT_MAX), -1.0);
    }

    // The CPU time read from /proc/PID/stat agrees with getrusage, within the kernel's
    // clock ticks, after a quarter of a second of work.
    void cpuTimeOfAProcess() {
        const double start = bench::nowMs();
        volatile double sink = 0;
        // Burn CPU time rather than wall time: on a busy machine 250 ms of wall time may
        // hold only a sliver of CPU. The wall limit only keeps a broken clock from hanging.
        while (bench::ownCpuSeconds() < 0.25 && bench::nowMs() - start < 30000)
            for (int i = 0; i < 10000; ++i)
                sink = sink + i * 0.5;
        const double fromStat = bench::processCpuSeconds(getpid());
        const double fromRusage = bench::ownCpuSeconds();
        QVERIFY(fromRusage >= 0.2);
        QVERIFY2(std::abs(fromStat - fromRusage) < 0.05,
                 qPrintable(QStringLiteral("%1 s against %2 s").arg(fromStat).arg(fromRusage)));
    }
};

QTEST_GUILESS_MAIN(TestBenchCommon)
#include "test_bench_common.moc"
