// How fast the digit draw runs: the random source and the admissibility rule alone, and
// whole draws through the stage's handlers without painting. Runs on the offscreen
// platform; prints figures only. Painting is measured on a real display by the stage
// benchmark.
//
//   tirvex_bench [--samples FILE]
#include "app/application.h"
#include "app/error_report.h"
#include "app/screens.h"
#include "app/twips.h"
#include "bench/bench_common.h"
#include "engine/admissible_digits.h"
#include "engine/random_source.h"
#include "engine/ticket_counts.h"
#include "windows/draw/form1.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace {

void handOver(Form1& stage) {
    stage.Label8()->setCaption(QStringLiteral("035000"));
    stage.Label9()->setCaption(QStringLiteral("084570"));
    stage.Label10()->setCaption(QStringLiteral("5"));
    stage.Label11()->setCaption(QStringLiteral("2"));
}

int spinningPosition(Form1& stage) {
    for (int k = 1; k <= 6; ++k)
        if (stage.digitTimer(k)->Enabled())
            return k;
    return 0;
}

void tick(Form1& stage, int k) {
    switch (k) {
    case 1:
        return stage.Timer1_Timer();
    case 2:
        return stage.Timer2_Timer();
    case 3:
        return stage.Timer3_Timer();
    case 4:
        return stage.Timer4_Timer();
    case 5:
        return stage.Timer5_Timer();
    case 6:
        return stage.Timer6_Timer();
    default:
        throw std::logic_error("no such position");
    }
}

double seconds(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e9;
}

void randomSourceAlone() {
    engine::SystemRandom random;
    const int n = 5'000'000;
    int sink = 0;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < n; ++i) {
        random.reseedFromClock();
        sink += engine::digitOf(random.next());
    }
    std::printf("%-44s %12.0f per second (checksum %d)\n", "random digits, each after a clock fold",
                n / seconds(t), sink % 10);
}

void admissibilityAlone() {
    const QString lower = QStringLiteral("035000"), upper = QStringLiteral("084570");
    const QString prefixes[] = {QString(), "0", "03", "084", "0845", "08457"};
    const int n = 200'000;
    std::size_t sink = 0;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < n; ++i) {
        const QString& p = prefixes[i % 6];
        sink += engine::admissibleDigits(int(p.size()) + 1, lower, upper, p).size();
    }
    std::printf("%-44s %12.0f per second (checksum %zu)\n",
                "admissible-digit lists of one position", n / seconds(t), sink % 10);
}

// What a settling tick adds to a spinning one: the tickets behind each digit and the
// weighted choice, at every position of 035000-084570.
void settlingAlone() {
    engine::SystemRandom random;
    const QString lower = QStringLiteral("035000"), upper = QStringLiteral("084570");
    const QString prefixes[] = {QString(), "0", "03", "084", "0845", "08457"};
    const int n = 200'000;
    int sink = 0;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < n; ++i) {
        const QString& p = prefixes[i % 6];
        int draws = 0;
        const engine::DigitWeights weights =
            engine::ticketWeights(int(p.size()) + 1, lower, upper, p);
        sink += engine::settlingDigit(random, weights, draws, 1000).value_or(0);
    }
    std::printf("%-44s %12.0f per second (checksum %d)\n", "settling digits, counts and choice",
                n / seconds(t), sink % 10);
}

// Whole draws through the handlers on a loaded but hidden stage: the engine with its
// label writes and marker load, nothing painted. Ten batches, one sample each.
void drawsWithoutPainting(Form1& stage, bench::Samples& samples) {
    const int batches = 10, draws = 300;
    for (int b = 0; b < batches; ++b) {
        QElapsedTimer t;
        t.start();
        long ticks = 0;
        for (int d = 0; d < draws; ++d) {
            stage.Command1_Click();
            for (int k = spinningPosition(stage); k != 0; k = spinningPosition(stage)) {
                tick(stage, k);
                ++ticks;
            }
        }
        const double s = seconds(t);
        samples.add("draw.tick.us", s * 1e6 / double(ticks));
        std::printf("%-44s %12.0f per second (%ld ticks, %.1f us a tick)\n",
                    "whole draws, start + 30 ticks, no painting", draws / s, ticks,
                    s * 1e6 / double(ticks));
    }
}

} // namespace

int main(int argc, char** argv) {
    Application app(argc, argv);
    bench::Samples samples(bench::option(argc, argv, "--samples"));
    int reports = 0;
    error_report::setSink([&reports](const QString&) { ++reports; });
    Application::setEndAction([] {});
    screens::overrideSize(QSize(1024, 768));

    Form1& stage = form1();
    handOver(stage);
    std::printf("Tirvex digit draw benchmark (bounds 035000-084570, 5 spins)\n");
    randomSourceAlone();
    admissibilityAlone();
    settlingAlone();
    drawsWithoutPainting(stage, samples);
    if (reports > 0)
        std::printf("note: %d failures reported (is green.gif beside the benchmark?)\n", reports);
    stage.Unload();
    return 0;
}
