// How fast the digit draw runs: the random source and the admissibility rule alone, whole
// draws through the stage's handlers without painting, and one tick on a shown stage
// including its repaint. Runs on the offscreen platform; prints figures only.
#include "app/application.h"
#include "app/error_report.h"
#include "app/twips.h"
#include "engine/admissible_digits.h"
#include "engine/draw_engine.h"
#include "engine/random_source.h"
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

void printDurations(const char* what, std::vector<qint64> ns) {
    std::sort(ns.begin(), ns.end());
    double sum = 0;
    for (qint64 v : ns)
        sum += double(v);
    auto at = [&](double q) { return double(ns[std::size_t(q * double(ns.size() - 1))]) / 1000.0; };
    std::printf("%-44s mean %8.1f us   median %8.1f us   p99 %8.1f us   max %8.1f us  (%zu)\n",
                what, sum / double(ns.size()) / 1000.0, at(0.5), at(0.99), at(1.0), ns.size());
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

// Whole draws through the handlers on a loaded but hidden stage: the engine with its
// label writes and marker load, nothing painted.
void drawsWithoutPainting(Form1& stage) {
    const int draws = 3000;
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
    std::printf("%-44s %12.0f per second (%ld ticks, %.1f us a tick)\n",
                "whole draws, start + 30 ticks, no painting", draws / s, ticks,
                s * 1e6 / double(ticks));
}

// One tick on the shown stage, then the repaint the audience would see.
void tickWithRepaint(Form1& stage) {
    stage.Show();
    QCoreApplication::processEvents();
    FormWindow* window = stage.window();
    std::vector<qint64> repainted, grabbed;
    QElapsedTimer t;
    for (int round = 0; round < 20; ++round) {
        stage.Command1_Click();
        for (int k = spinningPosition(stage); k != 0; k = spinningPosition(stage)) {
            t.start();
            tick(stage, k);
            window->repaint();
            repainted.push_back(t.nsecsElapsed());
        }
    }
    for (int round = 0; round < 5; ++round) {
        stage.Command1_Click();
        for (int k = spinningPosition(stage); k != 0; k = spinningPosition(stage)) {
            t.start();
            tick(stage, k);
            const QPixmap shot = window->grab();
            grabbed.push_back(t.nsecsElapsed());
        }
    }
    std::printf("stage %dx%d pixels\n", window->width(), window->height());
    printDurations("one tick + repaint() of the stage", repainted);
    printDurations("one tick + grab() of the stage", grabbed);
}

} // namespace

int main(int argc, char** argv) {
    Application app(argc, argv);
    int reports = 0;
    error_report::setSink([&reports](const QString&) { ++reports; });
    Application::setEndAction([] {});
    twips::overrideScreenPixels(QSize(1024, 768));

    Form1& stage = form1();
    handOver(stage);
    std::printf("Tirvex digit draw benchmark (bounds 035000-084570, 5 spins)\n");
    randomSourceAlone();
    admissibilityAlone();
    drawsWithoutPainting(stage);
    tickWithRepaint(stage);
    if (reports > 0)
        std::printf("note: %d failures reported (is green.gif beside the benchmark?)\n", reports);
    stage.Unload();
    return 0;
}
