#include "app/application.h"
#include "engine/random_source.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <set>

namespace {
// A clock that never moves: every reseed sees the same reading.
std::uint64_t frozenClock() {
    return 1'700'000'000'000'000'000ull;
}

double chiSquare(const std::vector<int>& counts, double expected) {
    double sum = 0;
    for (int c : counts)
        sum += (c - expected) * (c - expected) / expected;
    return sum;
}
} // namespace

class TestRandomSource : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void digitOfValue_data() {
        QTest::addColumn<double>("r");
        QTest::addColumn<int>("digit");
        QTest::newRow("zero") << 0.0 << 0;
        QTest::newRow("a tenth") << 0.1 << 1;
        QTest::newRow("largest 53-bit value") << (std::ldexp(1.0, 53) - 1) * 0x1.0p-53 << 9;
        QTest::newRow("just below one") << std::nextafter(1.0, 0.0) << 9;
        // Only a faulty source gives these; they still come out as a digit.
        QTest::newRow("one") << 1.0 << 9;
        QTest::newRow("negative") << -0.5 << 0;
        QTest::newRow("not a number") << std::nan("") << 0;
    }
    void digitOfValue() {
        QFETCH(double, r);
        QFETCH(int, digit);
        QCOMPARE(engine::digitOf(r), digit);
    }

    // The generator's values are points of the grid, so the counts below are its counts.
    void valuesLieOnTheGrid() {
        engine::SystemRandom random(7, frozenClock);
        for (int i = 0; i < 10000; ++i) {
            random.reseedFromClock();
            const double r = random.next();
            QVERIFY(r >= 0.0 && r < 1.0);
            const auto k = std::uint64_t(std::llround(r * double(engine::GridSize)));
            const std::optional<double> point = engine::gridPoint(k);
            QVERIFY2(point && *point == r, qPrintable(QString::number(r, 'g', 17)));
        }
    }

    // The exact share of every digit, counted over a small generator: each of its 2^bits
    // outputs is equally likely, and an output past the grid is drawn again, so a digit's
    // chance is the number of outputs that give it over the number kept.
    void smallGeneratorGivesEveryDigitTheSameCount_data() {
        QTest::addColumn<int>("bits");
        QTest::addColumn<quint64>("size");
        QTest::newRow("4 bits, 10 points") << 4 << quint64(10);
        QTest::newRow("7 bits, 120 points") << 7 << quint64(120);
        QTest::newRow("10 bits, 1000 points") << 10 << quint64(1000);
        QTest::newRow("20 bits, 1048570 points") << 20 << quint64(1048570);
    }
    void smallGeneratorGivesEveryDigitTheSameCount() {
        QFETCH(int, bits);
        QFETCH(quint64, size);
        std::array<quint64, 10> counts{};
        quint64 redrawn = 0;
        for (quint64 k = 0; k < (quint64(1) << bits); ++k) {
            if (const std::optional<double> r = engine::gridPoint(k, size))
                ++counts[std::size_t(engine::digitOf(*r))];
            else
                ++redrawn;
        }
        for (int d = 0; d < 10; ++d)
            QCOMPARE(counts[std::size_t(d)], size / 10);
        QCOMPARE(redrawn, (quint64(1) << bits) - size);
    }

    // The program's grid is too large to count point by point. But a point's digit never
    // falls as k grows (a division by a constant and floor(r * 10) both keep order), so
    // each digit owns one unbroken run of k, and where the runs start and end settles the
    // count: GridSize / 10 points for every digit.
    void programGridGivesEveryDigitTheSameCount() {
        const std::uint64_t share = engine::GridSize / 10;
        for (std::uint64_t d = 0; d < 10; ++d) {
            QCOMPARE(engine::digitOf(*engine::gridPoint(d * share)), int(d));
            QCOMPARE(engine::digitOf(*engine::gridPoint((d + 1) * share - 1)), int(d));
        }
        QVERIFY(!engine::gridPoint(engine::GridSize));
    }

    // A whole number below n, counted over every run of digits an attempt can draw: each
    // result comes from the same number of runs, and only the runs past the last whole
    // multiple of n are drawn again.
    void wholeBelowGivesEveryNumberTheSameCount_data() {
        QTest::addColumn<quint64>("n");
        QTest::addColumn<int>("digits");
        for (quint64 n : {2, 3, 7, 10, 11, 237, 999, 49571})
            QTest::addRow("%llu", static_cast<unsigned long long>(n))
                << n << int(QString::number(n - 1).size());
    }
    void wholeBelowGivesEveryNumberTheSameCount() {
        QFETCH(quint64, n);
        QFETCH(int, digits);
        const quint64 runs = quint64(std::pow(10, digits));
        std::vector<quint64> counts(n, 0);
        quint64 redrawn = 0;
        for (quint64 run = 0; run < runs; ++run) {
            std::vector<int> script;
            for (quint64 place = runs / 10; place > 0; place /= 10)
                script.push_back(int(run / place % 10));
            auto source = engine::ScriptedRandom::ofDigits(script);
            int draws = 0;
            // One attempt only: a run drawn again gives nothing here.
            if (const auto t = engine::wholeBelow(*source, n, draws, digits))
                ++counts[std::size_t(*t)];
            else
                ++redrawn;
            QCOMPARE(source->reseeds(), digits);
        }
        for (quint64 t = 0; t < n; ++t)
            QCOMPARE(counts[std::size_t(t)], runs / n);
        QCOMPARE(redrawn, runs % n);
    }

    // With a seed and a clock fixed the sequence is fixed, so this check never flakes.
    void digitsAreUniform_data() {
        QTest::addColumn<quint64>("seed");
        QTest::addColumn<bool>("frozen");
        QTest::newRow("seed 1, frozen clock") << quint64(1) << true;
        QTest::newRow("seed 2024, frozen clock") << quint64(2024) << true;
        QTest::newRow("seed 99, ticking clock") << quint64(99) << false;
    }
    void digitsAreUniform() {
        QFETCH(quint64, seed);
        QFETCH(bool, frozen);
        std::uint64_t now = 0;
        engine::SystemRandom random(
            seed,
            frozen ? engine::SystemRandom::Clock(frozenClock) : [&now] { return now += 1000; });
        const int draws = 100000;
        std::vector<int> counts(10, 0);
        for (int i = 0; i < draws; ++i) {
            random.reseedFromClock();
            ++counts[std::size_t(engine::digitOf(random.next()))];
        }
        // 9 degrees of freedom: 27.88 is exceeded by chance once in a thousand.
        const double chi2 = chiSquare(counts, draws / 10.0);
        QVERIFY2(chi2 < 27.88, qPrintable(QStringLiteral("chi-square %1").arg(chi2)));
    }

    // Reseeding from a clock that has not moved must not bring the same value back: a tick
    // that rejects a digit would otherwise draw the same digit for ever.
    void frozenClockDoesNotRepeat() {
        engine::SystemRandom random(3, frozenClock);
        std::set<double> seen;
        for (int i = 0; i < 1000; ++i) {
            random.reseedFromClock();
            seen.insert(random.next());
        }
        QCOMPARE(seen.size(), std::size_t(1000));
    }

    // The clock is folded in, never a replacement for the state: two generators that
    // differ only in their seed stay different after reseeding from the same reading.
    void reseedKeepsTheState() {
        engine::SystemRandom a(11, frozenClock);
        engine::SystemRandom b(12, frozenClock);
        int same = 0;
        for (int i = 0; i < 100; ++i) {
            a.reseedFromClock();
            b.reseedFromClock();
            same += a.next() == b.next();
        }
        QCOMPARE(same, 0);
    }

    // The clock reading matters too: the same seed with different readings diverges.
    void clockReadingIsFoldedIn() {
        engine::SystemRandom a(5, [] { return std::uint64_t(1000); });
        engine::SystemRandom b(5, [] { return std::uint64_t(1001); });
        a.reseedFromClock();
        b.reseedFromClock();
        QVERIFY(a.next() != b.next());
    }

    // Every generator starts from its own entropy, within one run and from one run to the
    // next: an entropy source that repeats itself would give every start of the program
    // the same draws, however different the generators within one run are.
    void entropySeedsDiffer() {
        auto run = [] {
            QProcess child;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("TIRVEX_PRINT_FIRST_VALUES"), QStringLiteral("1"));
            child.setProcessEnvironment(env);
            child.start(QCoreApplication::applicationFilePath(), {});
            return child.waitForFinished(60000) ? child.readAllStandardOutput() : QByteArray();
        };
        const QList<QByteArray> first = run().split(' ');
        const QList<QByteArray> second = run().split(' ');
        QCOMPARE(first.size(), 2);
        QCOMPARE(second.size(), 2);
        QVERIFY(first[0] != first[1]);
        QVERIFY(first[0] != second[0]);
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet("TIRVEX_PRINT_FIRST_VALUES")) {
        engine::SystemRandom a;
        engine::SystemRandom b;
        std::printf("%llu %llu", static_cast<unsigned long long>(a.nextBits()),
                    static_cast<unsigned long long>(b.nextBits()));
        return 0;
    }
    Application app(argc, argv);
    TestRandomSource test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_random_source.moc"
