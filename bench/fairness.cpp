// `make fairness`: statistics of the digits the draw shows and of the tickets it draws,
// taken from the program's own random source seeded from the operating system (never a
// fixed seed), with a clock fold before every single draw, exactly as a tick draws. Which
// digits a position accepts, and the tickets behind each digit that stays, come from the
// engine's own rules (engine::admissibleDigits, engine::ticketWeights and
// engine::settlingDigit), asked once per settled prefix.
//
//   tirvex_fairness [--runs N] [--draws N] [--write FILE] [--no-dieharder]
//   tirvex_fairness --raw        the generator's raw output on stdout, without end
//
// Prints every figure next to its threshold; with --write, puts the same figures into
// FILE between the lines "<!-- figures:begin -->" and "<!-- figures:end -->".
#include "engine/admissible_digits.h"
#include "engine/random_source.h"
#include "engine/ticket_counts.h"

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
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace {

constexpr int Spins = 5; // every draw runs with five spins per digit

// Upper 1% points of the chi-square distribution.
constexpr double Chi2_5 = 15.086, Chi2_9 = 21.666, Chi2_81 = 113.51;

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

// The settled prefix of position k as the stage holds it: the value of its k - 1 digits,
// leading zeros written.
QString prefixText(int k, int prefix) {
    return k == 1 ? QString() : QStringLiteral("%1").arg(prefix, k - 1, 10, QLatin1Char('0'));
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
            m = 0x8000;
            for (int d : engine::admissibleDigits(k, lower_, upper_, prefixText(k, prefix)))
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
        s.push_back({"position " + std::to_string(k) + ", 000000-999999, fifth spin, 0-9", 9, Chi2_9});
    for (int k = 1; k <= 6; ++k)
        s.push_back({"position " + std::to_string(k) + ", successive ticks, pair table", 81, Chi2_81});
    s.push_back({"2nd digit of 035000-084570 after 0, spinning, 3-8", 5, Chi2_5});
    return s;
}

// One run of the spinning digits, what the audience watches: `draws` times six positions
// of five ticks of 000000-999999, and as many second positions of 035000-084570 after the
// settled 0, from a fresh generator, every tick drawn as a spinning one. (Which digit
// stays is counted per ticket, in wholeNumbers.)
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

// The tickets behind each digit, from the engine's own count, asked once for each
// settled prefix and kept.
class Weights {
  public:
    Weights(QString lower, QString upper) : lower_(std::move(lower)), upper_(std::move(upper)) {}
    const engine::DigitWeights& of(int k, int prefix) {
        auto [at, added] = weights_[std::size_t(k - 1)].try_emplace(prefix);
        if (added) {
            at->second = engine::ticketWeights(k, lower_, upper_, prefixText(k, prefix));
        }
        return at->second;
    }

  private:
    QString lower_, upper_;
    std::array<std::unordered_map<int, engine::DigitWeights>, 6> weights_;
};

enum class Settle { ByTickets, LikeASpin };

// Draws one whole number of the bounds, the way the stage does: position by position,
// five ticks each. The fifth digit stays, drawn by the tickets behind each digit, or,
// for comparison, like any spinning digit, as the program drew it before. -1 if a
// position had no admissible digit.
int drawNumber(engine::RandomSource& source, Admissibility& bounds, Weights& weights, Settle settle) {
    int number = 0;
    for (int k = 1; k <= 6; ++k) {
        const std::uint16_t mask = bounds.mask(k, number);
        if ((mask & 0x3FF) == 0)
            return -1;
        for (int spin = 1; spin < Spins; ++spin)
            tick(source, mask);
        int draws = 0;
        const std::optional<int> settled =
            settle == Settle::ByTickets
                ? engine::settlingDigit(source, weights.of(k, number), draws, 1 << 30)
                : std::optional<int>(tick(source, mask));
        if (!settled)
            return -1;
        number = number * 10 + *settled;
    }
    return number;
}

struct TicketFigure {
    double chi2 = 0, most = 0, least = 1e9; // most and least: drawn / fair share
    long outside = 0;
};

// Draws of lower to upper, counted per group of `group` tickets: chi-square against each
// group's share of the range, and the most and least drawn group against its share.
TicketFigure perTicket(int lower, int upper, int group, long draws, Settle settle) {
    engine::SystemRandom source;
    const QString lo = QStringLiteral("%1").arg(lower, 6, 10, QLatin1Char('0'));
    const QString hi = QStringLiteral("%1").arg(upper, 6, 10, QLatin1Char('0'));
    Admissibility bounds(lo, hi);
    Weights weights(lo, hi);
    std::vector<long> counts(std::size_t(upper / group - lower / group + 1), 0);
    TicketFigure f;
    for (long n = 0; n < draws; ++n) {
        const int number = drawNumber(source, bounds, weights, settle);
        if (number < lower || number > upper)
            ++f.outside;
        else
            ++counts[std::size_t(number / group - lower / group)];
    }
    const double range = upper - lower + 1;
    for (std::size_t g = 0; g < counts.size(); ++g) {
        const int first = std::max(lower, (lower / group + int(g)) * group);
        const int last = std::min(upper, (lower / group + int(g) + 1) * group - 1);
        const double expected = double(draws) * (last - first + 1) / range;
        const double diff = double(counts[g]) - expected;
        f.chi2 += diff * diff / expected;
        f.most = std::max(f.most, double(counts[g]) / expected);
        f.least = std::min(f.least, double(counts[g]) / expected);
    }
    return f;
}

// Every ticket the same chance: whole draws of ranges whose bounds are not round, each
// ticket (or group of a thousand) counted, beside the same draws with the fifth digit
// settled like a spin, as the program drew before.
bool wholeNumbers() {
    struct Case {
        const char* name;
        int lower, upper, group;
        long draws;
        double threshold; // the 99.9% point of chi-square with groups - 1 dof
    };
    // About 1,000 draws for each ticket or group: a ticket drawn 10% more often than its
    // share then lies about 3.2 standard deviations out, and a 10% bias shared by many
    // tickets moves the chi-square far past its threshold.
    const Case cases[] = {
        {"a raffle, 000001-000237, every ticket", 1, 237, 1, 237000, 308.87},
        {"000100-000150, every ticket", 100, 150, 1, 51000, 86.66},
        {"035000-084570, tickets by the thousand", 35000, 84570, 1000, 50000, 85.35},
    };
    out("\nEvery ticket the same chance: whole draws, five ticks a position, counted per ticket\n"
        "(or group); chi-square against each one's share of the range, one run, pass below\n"
        "its 99.9%% point; most and least drawn against their fair share.\n");
    out("  %-42s %8s %6s %8s %8s %6s %6s  %s\n", "range", "draws", "cells", "chi2", "< 99.9%", "most",
        "least", "");
    bool passed = true;
    for (const Case& c : cases) {
        const int cells = c.upper / c.group - c.lower / c.group + 1;
        const TicketFigure f = perTicket(c.lower, c.upper, c.group, c.draws, Settle::ByTickets);
        const bool ok = f.chi2 < c.threshold && f.outside == 0;
        passed = passed && ok;
        out("  %-42s %8ld %6d %8.1f %8.2f %5.2fx %5.2fx  %s\n", c.name, c.draws, cells, f.chi2,
            c.threshold, f.most, f.least, ok ? "pass" : "FAIL");
        const TicketFigure before = perTicket(c.lower, c.upper, c.group, c.draws, Settle::LikeASpin);
        out("  %-42s %8ld %6d %8.1f %8s %5.2fx %5.2fx  %s\n", "  the same, fifth digit settled like a spin",
            c.draws, cells, before.chi2, "", before.most, before.least, "(as drawn before)");
        if (f.outside + before.outside > 0) {
            out("  numbers outside the range: %ld (must be 0)\n", f.outside + before.outside);
            passed = false;
        }
    }
    return passed;
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

    const bool ticketsPassed = wholeNumbers();

    bool dieharderPassed = true;
    if (withDieharder) {
        const Dieharder d = dieharder({0, 1, 2, 3, 15});
        dieharderPassed = !d.ran || d.failed == 0;
    }
    const bool passed = batteryPassed && ticketsPassed && dieharderPassed;
    out("\nfairness: %s\n", passed ? "PASSED" : "FAILED");
    if (!writeTo.isEmpty() && !writeFigures(writeTo)) {
        std::fprintf(stderr, "fairness: cannot write the figures into %s\n", qPrintable(writeTo));
        return 2;
    }
    return passed ? 0 : 1;
}
