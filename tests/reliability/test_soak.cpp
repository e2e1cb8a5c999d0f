// A short soak: a few hundred whole draws on the stage through its own handlers and
// timers, with bounds of every shape. `make soak` runs the long one and prints figures.
#include "bench/soak_driver.h"
#include "test_main.h"

#ifndef __has_feature
#define __has_feature(x) 0
#endif
#if defined(__SANITIZE_ADDRESS__) || __has_feature(address_sanitizer)
constexpr bool Sanitized = true;
#else
constexpr bool Sanitized = false;
#endif

class TestSoak : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { Application::setEndAction([] {}); }

    void drawsStayWithinBoundsAndFinish() {
        soak::Options options;
        options.draws = 300;
        options.boundsSeed = QRandomGenerator::global()->generate();
        const soak::Figures f = soak::run(options);
        const QString seen = QStringLiteral("bounds seed %1; %2")
                                 .arg(options.boundsSeed)
                                 .arg(f.failures.join(QStringLiteral("; ")));
        QVERIFY2(f.ok(), qPrintable(seen));
        QCOMPARE(f.draws, 300);
        QCOMPARE(f.ticks, 300L * 30);
        for (int k = 0; k < soak::KindCount; ++k)
            QVERIFY2(f.kinds[std::size_t(k)] > 0, soak::kindName(k));
        // The sanitizers hold freed memory back on purpose; their leak check covers this.
        if (!Sanitized)
            QVERIFY2(f.rssGrowthKb() < 1024,
                     qPrintable(QStringLiteral("grew by %1 KiB").arg(f.rssGrowthKb())));
    }
};

TIRVEX_TEST_MAIN(TestSoak)
#include "test_soak.moc"
