// `make soak`: 10,000 whole draws on the real stage at interval 0, with the program's own
// random source. Prints what it found; exits non-zero if a number fell outside its
// bounds, a draw did not finish, a failure was reported, or memory grew by 1 MB or more.
#include "app/application.h"
#include "bench/soak_driver.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    Application app(argc, argv);
    Application::setEndAction([] {});
    soak::Options options;
    if (argc > 1)
        options.draws = std::max(101, std::atoi(argv[1]));
    constexpr long GrowthLimitKb = 1024;

    std::printf("Tirvex soak: %d whole draws on the stage, 5 spins, interval 0\n", options.draws);
    options.progress = [](const soak::Figures& f) {
        std::printf("  %6d draws  %8ld ticks  %7.1f s  resident %ld KiB\n", f.draws, f.ticks,
                    f.seconds, f.rssEndKb);
        std::fflush(stdout);
    };
    const soak::Figures f = soak::run(options);

    std::printf("\nbounds drawn:\n");
    for (int k = 0; k < soak::KindCount; ++k)
        std::printf("  %-26s %6d draws\n", soak::kindName(k), f.kinds[std::size_t(k)]);
    std::printf("\n%-44s %ld (expected %ld)\n", "ticks", f.ticks, 30L * f.draws);
    std::printf("%-44s %d (must be 0)\n", "numbers outside their bounds", f.outOfBounds);
    std::printf("%-44s %d (must be 0)\n", "draws that did not finish", f.unfinished);
    std::printf("%-44s %d (must be 0)\n", "failures reported", f.reports);
    std::printf("%-44s %.1f us mean, %.1f us longest (watchdog at %lld ms)\n",
                "one tick, its handler to its return", f.meanTickUs, f.maxTickUs,
                (long long)options.tickLimit.count());
    std::printf("%-44s %.1f s, %.0f draws per second\n", "time", f.seconds,
                f.draws / f.seconds);
    std::printf("%-44s %ld KiB after draw 100, %ld KiB after draw %d\n", "resident memory",
                f.rssAfterDraw100Kb, f.rssEndKb, f.draws);
    std::printf("%-44s %+ld KiB (must be below %ld KiB)\n", "growth from draw 100 to the end",
                f.rssGrowthKb(), GrowthLimitKb);
    for (const QString& failure : f.failures)
        std::printf("  %s\n", qPrintable(failure));

    const bool passed = f.ok() && f.ticks == 30L * f.draws && f.rssGrowthKb() < GrowthLimitKb;
    std::printf("\nsoak: %s\n", passed ? "PASSED" : "FAILED");
    return passed ? 0 : 1;
}
