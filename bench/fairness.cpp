// `make fairness`: statistics of the digits the draw shows, taken from the program's own
// random source seeded from the operating system (never a fixed seed), with a clock fold
// before every single draw, exactly as a tick draws. Which digits a position accepts comes
// from the engine's own rule (engine::admissibleDigits), asked once per settled prefix.
//
//   tirvex_fairness [--runs N] [--draws N] [--write FILE] [--no-dieharder]
//   tirvex_fairness --raw        the generator's raw output on stdout, without end
//
// Prints every figure next to its threshold; with --write, puts the same figures into
// FILE between the lines "<!-- figures:begin -->" and "<!-- figures:end -->".
#include "engine/admissible_digits.h"
#include "engine/random_source.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <csignal>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int Spins = 5; // every draw runs with five spins per digit

// Upper 1% points of the chi-square distribution.
constexpr double Chi2_4 = 13.277, Chi2_5 = 15.086, Chi2_9 = 21.666, Chi2_81 = 113.51;

std::string report;

void out(const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    std::fputs(line, stdout);
    std::fflush(stdout);
    report += line;
}

// Which digits position k accepts after a settled prefix, as a bit mask: the engine's
// rule, asked once for each prefix and kept.
class Admissibility {
  public:
    Admissibility(QString lower, QString upper) : lower_(std::move(lower)), upper_(std::move(upper)) {
        int offset = 0, size = 1;
        for (int k = 1; k <= 6; ++k, size *= 10) {
            offsets_[std::size_t(k)] = offset;
            offset += size;
        }
        masks_.assign(std::size_t(offset), 0);
    }
    // prefix: the value of the k - 1 settled digits.
    std::uint16_t mask(int k, int prefix) {
        std::uint16_t& m = masks_[std::size_t(offsets_[std::size_t(k)] + prefix)];
        if (m == 0) {
            const QString text =
                k == 1 ? QString() : QStringLiteral("%1").arg(prefix, k - 1, 10, QLatin1Char('0'));
            m = 0x8000;
            for (int d : engine::admissibleDigits(k, lower_, upper_, text))
                m |= std::uint16_t(1u << d);
        }
        return m;
    }

  private:
    QString lower_, upper_;
    std::array<int, 7> offsets_{};
    std::vector<std::uint16_t> masks_;
};

// One tick: draw until the digit is admissible, a clock fold before every draw.
int tick(engine::RandomSource& source, std::uint16_t mask) {
    for (;;) {
        source.reseedFromClock();
        const int d = engine::digitOf(source.next());
        if (mask >> d & 1)
            return d;
    }
}

double chi2Uniform(const std::array<long, 10>& counts, int from, int to) {
    long n = 0;
    for (int d = from; d <= to; ++d)
        n += counts[std::size_t(d)];
    const double expected = double(n) / (to - from + 1);
    double chi2 = 0;
    for (int d = from; d <= to; ++d) {
        const double diff = double(counts[std::size_t(d)]) - expected;
        chi2 += diff * diff / expected;
    }
    return chi2;
}

using PairTable = std::array<std::array<long, 10>, 10>;

// Independence of the first and second digit of each pair: 81 degrees of freedom.
double chi2Independence(const PairTable& t) {
    std::array<double, 10> rows{}, cols{};
    double n = 0;
    for (int a = 0; a < 10; ++a)
        for (int b = 0; b < 10; ++b) {
            rows[std::size_t(a)] += double(t[std::size_t(a)][std::size_t(b)]);
            cols[std::size_t(b)] += double(t[std::size_t(a)][std::size_t(b)]);
            n += double(t[std::size_t(a)][std::size_t(b)]);
        }
    double chi2 = 0;
    for (int a = 0; a < 10; ++a)
        for (int b = 0; b < 10; ++b) {
            const double e = rows[std::size_t(a)] * cols[std::size_t(b)] / n;
            const double diff = double(t[std::size_t(a)][std::size_t(b)]) - e;
            chi2 += diff * diff / e;
        }
    return chi2;
}

// The statistics of one run of the battery, in a fixed order.
struct Statistic {
    std::string name;
    int dof;
    double threshold;
};

std::vector<Statistic> statistics() {
    std::vector<Statistic> s;
    for (int k = 1; k <= 6; ++k)
        s.push_back({"position " + std::to_string(k) + ", 000000-999999, digits 0-9", 9, Chi2_9});
    for (int k = 1; k <= 6; ++k)
        s.push_back({"position " + std::to_string(k) + ", successive ticks, pair table", 81, Chi2_81});
    s.push_back({"2nd digit of 035000-084570 after 0, digits 3-8", 5, Chi2_5});
    return s;
}

// One run: `draws` whole draws of 000000-999999 (six positions of five ticks), and as many
// second positions of 035000-084570 after the settled 0, from a fresh generator.
std::vector<double> runBattery(long draws) {
    engine::SystemRandom source;
    Admissibility full(QStringLiteral("000000"), QStringLiteral("999999"));
    std::array<std::array<long, 10>, 6> settled{};
    std::array<PairTable, 6> pairs{};
    for (long n = 0; n < draws; ++n) {
        int prefix = 0;
        for (int k = 1; k <= 6; ++k) {
            const std::uint16_t mask = full.mask(k, prefix);
            int previous = -1, digit = 0;
            for (int spin = 0; spin < Spins; ++spin) {
                digit = tick(source, mask);
                if (previous >= 0)
                    ++pairs[std::size_t(k - 1)][std::size_t(previous)][std::size_t(digit)];
                previous = digit;
            }
            ++settled[std::size_t(k - 1)][std::size_t(digit)];
            prefix = prefix * 10 + digit;
        }
    }
    Admissibility example(QStringLiteral("035000"), QStringLiteral("084570"));
    const std::uint16_t second = example.mask(2, 0);
    std::array<long, 10> seconds{};
    for (long n = 0; n < draws; ++n) {
        int digit = 0;
        for (int spin = 0; spin < Spins; ++spin)
            digit = tick(source, second);
        ++seconds[std::size_t(digit)];
    }

    std::vector<double> values;
    for (int k = 0; k < 6; ++k)
        values.push_back(chi2Uniform(settled[std::size_t(k)], 0, 9));
    for (int k = 0; k < 6; ++k)
        values.push_back(chi2Independence(pairs[std::size_t(k)]));
    values.push_back(chi2Uniform(seconds, 3, 8));
    return values;
}

// Draws one whole number of the bounds, the way the stage does: position by position,
// five ticks each, the fifth digit kept. -1 if a position had no admissible digit.
int drawNumber(engine::RandomSource& source, Admissibility& bounds) {
    int number = 0;
    for (int k = 1; k <= 6; ++k) {
        const std::uint16_t mask = bounds.mask(k, number);
        if ((mask & 0x3FF) == 0)
            return -1;
        int digit = 0;
        for (int spin = 0; spin < Spins; ++spin)
            digit = tick(source, mask);
        number = number * 10 + digit;
    }
    return number;
}

// Whole draws of two ranges whose bounds are not round: how the finished numbers spread.
void wholeNumbers(long draws) {
    engine::SystemRandom source;
    Admissibility example(QStringLiteral("035000"), QStringLiteral("084570"));
    std::array<long, 10> secondDigit{};
    std::array<long, 10> thirdAfter3{}, thirdAfter8{};
    long outside = 0, upperItself = 0;
    for (long n = 0; n < draws; ++n) {
        const int number = drawNumber(source, example);
        if (number < 35000 || number > 84570) {
            ++outside;
            continue;
        }
        ++secondDigit[std::size_t(number / 10000 % 10)];
        if (number / 10000 == 3)
            ++thirdAfter3[std::size_t(number / 1000 % 10)];
        if (number / 10000 == 8)
            ++thirdAfter8[std::size_t(number / 1000 % 10)];
        upperItself += number == 84570;
    }
    const double range = 84570 - 35000 + 1;
    out("\nWhole numbers of 035000-084570 (%ld draws): the number is NOT uniform over the range\n",
        draws);
    out("  %-14s %13s %16s\n", "begins with", "share drawn", "share of range");
    const int first[] = {35000, 40000, 50000, 60000, 70000, 80000};
    const int last[] = {39999, 49999, 59999, 69999, 79999, 84570};
    for (int i = 0; i < 6; ++i)
        out("  0%-13d %12.2f%% %15.2f%%\n", 3 + i,
            100.0 * double(secondDigit[std::size_t(3 + i)]) / double(draws),
            100.0 * (last[i] - first[i] + 1) / range);
    out("  084570 itself drawn %.4f%% of the time: 1/1440 = %.4f%% by the digit rule, "
        "1/49571 = %.4f%% for a fair draw of the range\n",
        100.0 * double(upperItself) / double(draws), 100.0 / 1440, 100.0 / range);
    // One run each: a fair source exceeds a 99% point once in a hundred runs.
    const double after3 = chi2Uniform(thirdAfter3, 5, 9), after8 = chi2Uniform(thirdAfter8, 0, 4);
    out("  third digit after 03, digits 5-9: chi-square %6.2f (4 dof, < %.2f) %s\n", after3, Chi2_4,
        after3 < Chi2_4 ? "pass" : "above (1 run in 100 is, by chance)");
    out("  third digit after 08, digits 0-4: chi-square %6.2f (4 dof, < %.2f) %s\n", after8, Chi2_4,
        after8 < Chi2_4 ? "pass" : "above (1 run in 100 is, by chance)");
    out("  numbers outside 035000-084570: %ld (must be 0)\n", outside);

    Admissibility hundred(QStringLiteral("000001"), QStringLiteral("000100"));
    const long hundredDraws = std::min(draws, 100000L);
    long top = 0, outsideHundred = 0;
    for (long n = 0; n < hundredDraws; ++n) {
        const int number = drawNumber(source, hundred);
        top += number == 100;
        outsideHundred += number < 1 || number > 100;
    }
    out("\nWhole numbers of 000001-000100 (%ld draws): 000100 drawn %.2f%% of the time "
        "(the digit rule: 50%%; a fair draw: 1%%); outside the range: %ld (must be 0)\n",
        hundredDraws, 100.0 * double(top) / double(hundredDraws), outsideHundred);
}

// The generator's output as the draw uses it: a clock fold, then 64 bits.
void writeRaw(std::FILE* to) {
    engine::SystemRandom source;
    std::array<std::uint64_t, 4096> block;
    for (;;) {
        for (auto& word : block) {
            source.reseedFromClock();
            word = source.nextBits();
        }
        if (std::fwrite(block.data(), sizeof block[0], block.size(), to) != block.size())
            return;
    }
}

struct Dieharder {
    int passed = 0, weak = 0, failed = 0;
    bool ran = false;
};

// Feeds the raw output into dieharder's standard input (generator 200, raw) for each
// test, and collects its verdicts.
Dieharder dieharder(const std::vector<int>& tests) {
    Dieharder result;
    std::signal(SIGPIPE, SIG_IGN);
    const QRegularExpression row(QStringLiteral(R"(^\s*(\S+)\|\s*(\d+)\|\s*(\d+)\|\s*(\d+)\|\s*([0-9.]+)\|\s*(PASSED|WEAK|FAILED))"));
    out("\ndieharder on the raw output (generator 200, raw on standard input), no FAILED allowed:\n");
    for (int test : tests) {
        QProcess process;
        process.start(QStringLiteral("dieharder"),
                      {QStringLiteral("-g"), QStringLiteral("200"), QStringLiteral("-d"), QString::number(test)});
        if (!process.waitForStarted()) {
            out("  dieharder is not installed (Debian package dieharder); skipped\n");
            return result;
        }
        result.ran = true;
        engine::SystemRandom source;
        std::vector<std::uint64_t> block(1 << 16);
        while (process.state() == QProcess::Running) {
            if (process.bytesToWrite() < qint64(block.size() * 8)) {
                for (auto& word : block) {
                    source.reseedFromClock();
                    word = source.nextBits();
                }
                process.write(reinterpret_cast<const char*>(block.data()), qint64(block.size() * 8));
            }
            process.waitForBytesWritten(100);
        }
        process.waitForFinished(-1);
        const QStringList lines = QString::fromLocal8Bit(process.readAllStandardOutput()).split(QLatin1Char('\n'));
        for (const QString& line : lines) {
            const auto m = row.match(line);
            if (!m.hasMatch())
                continue;
            const QString verdict = m.captured(6);
            (verdict == QLatin1String("PASSED") ? result.passed
             : verdict == QLatin1String("WEAK") ? result.weak
                                                : result.failed)++;
            out("  -d %-3d %-24s ntup %-3s p = %s  %s\n", test, qPrintable(m.captured(1)),
                qPrintable(m.captured(2)), qPrintable(m.captured(5)), qPrintable(verdict));
        }
    }
    out("  %d PASSED, %d WEAK, %d FAILED\n", result.passed, result.weak, result.failed);
    return result;
}

bool writeFigures(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QString text = QString::fromUtf8(file.readAll());
    file.close();
    const QString begin = QStringLiteral("<!-- figures:begin -->"), end = QStringLiteral("<!-- figures:end -->");
    const qsizetype from = text.indexOf(begin), to = text.indexOf(end);
    if (from < 0 || to < from)
        return false;
    text.replace(from + begin.size(), to - from - begin.size(),
                 QStringLiteral("\n```text\n") + QString::fromStdString(report) + QStringLiteral("```\n"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write(text.toUtf8());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 100;
    long draws = 1000000;
    bool withDieharder = true;
    QString writeTo;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--raw") {
            std::signal(SIGPIPE, SIG_IGN);
            writeRaw(stdout);
            return 0;
        }
        if (a == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--draws" && i + 1 < argc)
            draws = std::max(1000L, std::atol(argv[++i]));
        else if (a == "--write" && i + 1 < argc)
            writeTo = QString::fromLocal8Bit(argv[++i]);
        else if (a == "--no-dieharder")
            withDieharder = false;
        else {
            std::fprintf(stderr, "usage: %s [--runs N] [--draws N] [--write FILE] [--no-dieharder] | --raw\n", argv[0]);
            return 2;
        }
    }

    const std::vector<Statistic> stats = statistics();
    std::vector<std::vector<double>> values{std::size_t(runs)};
    std::atomic<int> next{0};
    std::mutex progress;
    const unsigned threads = std::max(1u, std::min(std::thread::hardware_concurrency(), unsigned(runs)));
    out("Tirvex fairness report: the program's random source, seeded from the operating system,\n"
        "a clock fold before every draw, %d spins per position; admissible digits from the\n"
        "engine's rule. %d runs of the battery, each of %ld whole draws (%u threads).\n\n",
        Spins, runs, draws, threads);
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back([&] {
            for (int r = next++; r < runs; r = next++) {
                values[std::size_t(r)] = runBattery(draws);
                std::lock_guard<std::mutex> lock(progress);
                std::fprintf(stderr, "\r  run %d of %d done", r + 1, runs);
            }
        });
    for (auto& t : pool)
        t.join();
    std::fprintf(stderr, "\n");

    out("First run, every figure (chi-square, pass below the 99%% point):\n");
    for (std::size_t s = 0; s < stats.size(); ++s)
        out("  %-52s %8.2f  (%2d dof, < %6.2f) %s\n", stats[s].name.c_str(), values[0][s], stats[s].dof,
            stats[s].threshold, values[0][s] < stats[s].threshold ? "pass" : "FAIL");

    out("\nAll %d runs: a fair source exceeds each 99%% point in about 1 run of 100; each\n"
        "figure must stay below it in at least 96 of %d runs.\n", runs, runs);
    out("  %-52s %9s %8s %8s  %s\n", "figure", "mean", "largest", "passed", "");
    bool batteryPassed = true;
    int runsAllPassed = 0;
    for (const auto& v : values) {
        bool all = true;
        for (std::size_t s = 0; s < stats.size(); ++s)
            all = all && v[s] < stats[s].threshold;
        runsAllPassed += all;
    }
    const int needed = (runs * 96 + 99) / 100;
    for (std::size_t s = 0; s < stats.size(); ++s) {
        double sum = 0, largest = 0;
        int passed = 0;
        for (const auto& v : values) {
            sum += v[s];
            largest = std::max(largest, v[s]);
            passed += v[s] < stats[s].threshold;
        }
        const bool ok = passed >= needed;
        batteryPassed = batteryPassed && ok;
        out("  %-52s %9.2f %8.2f %4d/%-3d  %s (mean expected %d)\n", stats[s].name.c_str(), sum / runs,
            largest, passed, runs, ok ? "pass" : "FAIL", stats[s].dof);
    }
    out("  runs in which all %zu figures passed: %d of %d (a fair source: about %.0f, as 0.99^%zu)\n",
        stats.size(), runsAllPassed, runs, runs * std::pow(0.99, double(stats.size())), stats.size());

    wholeNumbers(draws);

    bool dieharderPassed = true;
    if (withDieharder) {
        const Dieharder d = dieharder({0, 1, 2, 3, 15});
        dieharderPassed = !d.ran || d.failed == 0;
    }
    const bool passed = batteryPassed && dieharderPassed;
    out("\nfairness: %s\n", passed ? "PASSED" : "FAILED");
    if (!writeTo.isEmpty() && !writeFigures(writeTo)) {
        std::fprintf(stderr, "fairness: cannot write the figures into %s\n", qPrintable(writeTo));
        return 2;
    }
    return passed ? 0 : 1;
}
