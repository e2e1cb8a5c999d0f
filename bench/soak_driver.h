#pragma once

// Whole draws, one after another, on the real stage: the start button's click and the
// six timers' ticks at interval 0 run the program's own handlers through the event loop,
// as in front of an audience, only without the waits. Every finished number is checked
// against its bounds, a watchdog thread ends the run if a tick does not return, and the
// resident memory is read as the draws go on. `make soak` runs 10,000 draws and prints
// the figures; the test suite runs a short version.
#include "app/colours.h"
#include "app/error_report.h"
#include "windows/draw/form1.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QStringList>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <thread>
#include <unistd.h>

namespace soak {

enum Kind { EqualBounds, FullRange, SharedPrefix, AnyPair, KindCount };
inline const char* kindName(int kind) {
    static const char* names[] = {"equal bounds", "000000-999999", "bounds sharing a prefix",
                                  "any two bounds"};
    return names[kind];
}

struct Bounds {
    QString lower, upper;
    Kind kind;
};

inline QString sixDigits(quint32 n) {
    return QStringLiteral("%1").arg(n, 6, 10, QLatin1Char('0'));
}

// Bounds chosen to reach every branch of the admissibility rule: equal bounds (one digit
// at every position), the full range (no draw rejected), bounds agreeing in their first
// one to five digits (long runs on the lower or upper edge), and any ordered pair.
inline Bounds randomBounds(QRandomGenerator& g) {
    const quint32 pick = g.bounded(100u);
    quint32 lo = g.bounded(1000000u), hi = g.bounded(1000000u);
    if (pick < 10)
        return {sixDigits(lo), sixDigits(lo), EqualBounds};
    if (pick < 20)
        return {sixDigits(0), sixDigits(999999), FullRange};
    if (lo > hi)
        std::swap(lo, hi);
    if (pick < 60) {
        // The first 1 to 5 digits of both bounds are the same.
        static const quint32 powers[] = {1, 10, 100, 1000, 10000, 100000};
        const quint32 tail = powers[6 - (1 + g.bounded(5u))];
        const quint32 head = lo / tail * tail;
        quint32 a = head + g.bounded(tail), b = head + g.bounded(tail);
        if (a > b)
            std::swap(a, b);
        return {sixDigits(a), sixDigits(b), SharedPrefix};
    }
    return {sixDigits(lo), sixDigits(hi), AnyPair};
}

// The resident set of this process in KiB.
inline long residentKb() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

struct Figures {
    int draws = 0;
    long ticks = 0;
    std::array<int, KindCount> kinds{};
    int outOfBounds = 0;
    int unfinished = 0;
    int reports = 0;
    double seconds = 0;
    double meanTickUs = 0;
    double maxTickUs = 0;
    long rssAfterDraw100Kb = 0;
    long rssEndKb = 0;
    QStringList failures; // the first few, for the message
    bool ok() const { return outOfBounds == 0 && unfinished == 0 && reports == 0; }
    long rssGrowthKb() const { return rssEndKb - rssAfterDraw100Kb; }
};

struct Options {
    int draws = 10000;
    quint32 boundsSeed = 20240611;
    // A tick that has not returned after this long never will: the run ends there.
    std::chrono::milliseconds tickLimit{10000};
    // A draw whose 30 ticks at interval 0 have not all come by then has stalled.
    std::chrono::milliseconds drawLimit{60000};
    std::function<void(const Figures&)> progress; // after every 1000th draw
};

// Ends the process when a tick has been running longer than the limit: a tick that
// does not return holds the only thread that could notice.
class Watchdog {
  public:
    explicit Watchdog(std::chrono::milliseconds limit)
        : limit_(limit), thread_([this] { watch(); }) {}
    ~Watchdog() {
        stop_ = true;
        thread_.join();
    }
    void tickStarted(int draw, int position) {
        draw_ = draw;
        position_ = position;
        startedNs_ = now();
    }
    void tickEnded() { startedNs_ = 0; }

  private:
    static long long now() {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    void watch() {
        while (!stop_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            const long long started = startedNs_;
            if (started != 0 && now() - started > limit_.count() * 1000000LL) {
                std::fprintf(stderr,
                             "soak: FAILED: the tick of position %d in draw %d has not returned "
                             "after %lld ms\n",
                             position_.load(), draw_.load(), (long long)limit_.count());
                std::fflush(stderr);
                std::_Exit(3);
            }
        }
    }
    std::chrono::milliseconds limit_;
    std::atomic<long long> startedNs_{0};
    std::atomic<int> draw_{0}, position_{0};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Sees a digit timer's tick arrive before the stage's handler runs.
class TickStartFilter : public QObject {
  public:
    std::function<void(QObject*)> onTick;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Timer && onTick)
            onTick(watched);
        return false;
    }
};

inline bool idle(Form1& stage) {
    for (int k = 1; k <= 6; ++k)
        if (stage.digitTimer(k)->Enabled())
            return false;
    return stage.Command1()->isEnabled();
}

inline Figures run(const Options& options) {
    Figures f;
    Form1& stage = form1();
    error_report::setSink([&f](const QString& message) {
        if (++f.reports <= 3)
            f.failures << QStringLiteral("reported: ") + message;
    });

    // Speed code 0: every tick interval is 0 once the stage has been activated.
    stage.Label8()->setCaption(sixDigits(0));
    stage.Label9()->setCaption(sixDigits(999999));
    stage.Label10()->setCaption(QStringLiteral("5"));
    stage.Label11()->setCaption(QStringLiteral("0"));
    stage.Show();
    QElapsedTimer wait;
    wait.start();
    while (stage.Timer1()->Interval() != 0 && wait.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (stage.Timer1()->Interval() != 0) {
        f.unfinished = 1;
        f.failures << QStringLiteral("the stage was never activated");
        return f;
    }

    Watchdog watchdog(options.tickLimit);
    TickStartFilter filter;
    int currentDraw = 0;
    long long tickNsSum = 0, tickNsMax = 0;
    QElapsedTimer tickClock;
    for (int k = 1; k <= 6; ++k) {
        Timer* timer = stage.digitTimer(k);
        timer->installEventFilter(&filter);
        // Connected after the stage's own handler, so this runs once the handler returned.
        QObject::connect(timer, &QTimer::timeout, &filter, [&] {
            const long long ns = tickClock.nsecsElapsed();
            tickNsSum += ns;
            tickNsMax = std::max(tickNsMax, ns);
            ++f.ticks;
            watchdog.tickEnded();
        });
    }
    filter.onTick = [&](QObject* timer) {
        int position = 0;
        for (int k = 1; k <= 6; ++k)
            if (stage.digitTimer(k) == timer)
                position = k;
        tickClock.start();
        watchdog.tickStarted(currentDraw, position);
    };

    QRandomGenerator boundsSource(options.boundsSeed);
    QElapsedTimer total;
    total.start();
    for (int draw = 1; draw <= options.draws; ++draw) {
        currentDraw = draw;
        const Bounds b = randomBounds(boundsSource);
        ++f.kinds[b.kind];
        // What the range entry's hand-off writes before a draw.
        stage.Label8()->setCaption(b.lower);
        stage.Label9()->setCaption(b.upper);
        stage.Command1()->click();

        QElapsedTimer drawClock;
        drawClock.start();
        while (!idle(stage) && drawClock.elapsed() < options.drawLimit.count())
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        ++f.draws;

        QString number;
        bool green = true;
        for (int k = 1; k <= 6; ++k) {
            number += stage.digitLabel(k)->caption();
            green = green && stage.digitLabel(k)->foreColor() == colours::Green;
        }
        const QString what = QStringLiteral("draw %1: %2 within %3 to %4")
                                 .arg(draw)
                                 .arg(number, b.lower, b.upper);
        if (!idle(stage) || number.size() != 6 || !green ||
            stage.Label15()->caption() != number || stage.g1()->isVisibleTo(stage.Frame1())) {
            ++f.unfinished;
            if (f.failures.size() < 3)
                f.failures << QStringLiteral("unfinished ") + what;
            if (!idle(stage))
                break; // a stalled draw would only stall the next one too
        } else if (number < b.lower || number > b.upper) {
            ++f.outOfBounds;
            if (f.failures.size() < 3)
                f.failures << QStringLiteral("out of bounds ") + what;
        }
        if (draw == 100)
            f.rssAfterDraw100Kb = residentKb();
        if (draw % 1000 == 0 && options.progress) {
            f.seconds = double(total.nsecsElapsed()) / 1e9;
            f.rssEndKb = residentKb();
            options.progress(f);
        }
    }
    f.seconds = double(total.nsecsElapsed()) / 1e9;
    f.rssEndKb = residentKb();
    if (f.ticks > 0)
        f.meanTickUs = double(tickNsSum) / double(f.ticks) / 1000.0;
    f.maxTickUs = double(tickNsMax) / 1000.0;

    for (int k = 1; k <= 6; ++k)
        stage.digitTimer(k)->removeEventFilter(&filter);
    stage.Unload();
    error_report::setSink({});
    return f;
}

} // namespace soak
