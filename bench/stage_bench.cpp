// The stage at work, measured from inside the program's own code:
//
//   tirvex_bench_stage drive
//       Starts like the program, then walks through a whole draw by itself: the range
//       entry window's start caption hands the bounds over, the stage opens, the start
//       button runs a draw. Prints "figure KEY VALUE" lines (resident memory before and
//       after the draw) for the start-up watcher and exits.
//   tirvex_bench_stage ticks [--draws N] [--idle-seconds N] [--samples FILE]
//       Whole draws at the real 400 ms: the time of every digit change against the ideal
//       period, and the share of a core the program (and the X server) takes during a
//       draw, with the marker animating, and while the stage stands idle.
//   tirvex_bench_stage paint --label NAME [--draws N] [--samples FILE]
//       One tick of the stage followed by its repaint, at whatever screen size the display
//       has: once with only what the tick itself marked for repainting (what really
//       happens), once with every control of the stage painted again.
//
// Run it on a real X server (scripts/with-x) so painting and flushing are the real ones.
#include "app/application.h"
#include "app/error_report.h"
#include "bench/bench_common.h"
#include "windows/draw/form1.h"
#include "windows/range_entry/main_form.h"

#include <QDir>
#include <QEventLoop>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr double TickMs = 400;
constexpr int TicksPerDraw = 30;

// Runs the event loop until the condition holds, checking it every few milliseconds, or
// until the time is up. Returns whether it holds.
bool runUntil(const std::function<bool()>& done, int timeoutMs) {
    if (done())
        return true;
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    check.start(5);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

int spinningPosition(Form1& stage) {
    for (int k = 1; k <= 6; ++k)
        if (stage.digitTimer(k)->Enabled())
            return k;
    return 0;
}

void tick(Form1& stage, int k) { stage.TimerTick(k); }

// The parameters the range entry window hands over with its default bounds.
void handOver(Form1& stage) {
    stage.Label8()->setCaption(QStringLiteral("035000"));
    stage.Label9()->setCaption(QStringLiteral("084570"));
    stage.Label10()->setCaption(QStringLiteral("5"));
    stage.Label11()->setCaption(QStringLiteral("2"));
}

// Shows the stage and waits for its activation to set the real interval.
bool showStage(Form1& stage) {
    stage.Show();
    const bool ready = runUntil(
        [&] {
            return stage.IsShown() && stage.window()->windowHandle() &&
                   stage.window()->windowHandle()->isExposed() &&
                   stage.Timer1()->Interval() == int(TickMs);
        },
        10000);
    if (!ready)
        std::fprintf(stderr, "stage: the stage was not shown and activated within 10 s\n");
    runFor(300);
    return ready;
}

double quantile(std::vector<double> v, double q) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const double at = q * double(v.size() - 1);
    const std::size_t i = std::size_t(at);
    const double frac = at - double(i);
    return i + 1 < v.size() ? v[i] * (1 - frac) + v[i + 1] * frac : v[i];
}

// The X server the program draws on, when it runs on this machine: its CPU time shows
// what flushing the stage to the screen costs beyond the program's own share.
pid_t xServerPid() {
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty())
        return 0;
    const QDir proc(QStringLiteral("/proc"));
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        const int pid = entry.toInt(&numeric);
        if (!numeric)
            continue;
        std::ifstream in("/proc/" + entry.toStdString() + "/cmdline", std::ios::binary);
        std::string cmdline((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<std::string> args;
        for (std::size_t from = 0; from < cmdline.size();) {
            const std::size_t end = cmdline.find('\0', from);
            args.push_back(cmdline.substr(from, end - from));
            if (end == std::string::npos)
                break;
            from = end + 1;
        }
        if (args.size() >= 2 && QDir(QString::fromStdString(args[0])).dirName() == "Xvfb" &&
            args[1] == display.toStdString())
            return pid;
    }
    return 0;
}

// CPU shares of this process and of the X server over an interval, in percent of a core.
class CpuShare {
  public:
    explicit CpuShare(pid_t server) : server_(server) { restart(); }
    void restart() {
        wall_ = bench::nowMs();
        own_ = bench::ownCpuSeconds();
        x_ = server_ > 0 ? bench::processCpuSeconds(server_) : -1;
    }
    double own() const { return 100.0 * (bench::ownCpuSeconds() - own_) / seconds(); }
    double server() const {
        if (server_ <= 0 || x_ < 0)
            return -1;
        return 100.0 * (bench::processCpuSeconds(server_) - x_) / seconds();
    }

  private:
    double seconds() const { return (bench::nowMs() - wall_) / 1000.0; }
    pid_t server_;
    double wall_ = 0, own_ = 0, x_ = 0;
};

int drive(int argc, char** argv) {
    // One second of standing still first, so the start-up watcher reads the memory of the
    // opened program before the draw begins.
    MainForm& entry = mainForm();
    entry.Show();
    runFor(1000);
    const long before = bench::residentKiB();
    Application::runHandler([&] { entry.Label2_Click(); });
    Form1& stage = form1();
    if (!runUntil([&] { return stage.IsShown() && stage.Timer1()->Interval() == int(TickMs); },
                  10000)) {
        std::fprintf(stderr, "drive: the stage did not open\n");
        return 1;
    }
    runFor(200);
    Application::runHandler([&] { stage.Command1_Click(); });
    // The memory a draw leaves behind does not depend on its pace; a quicker tick keeps
    // the run short while the marker still loops through all its frames.
    for (int k = 1; k <= 6; ++k)
        stage.digitTimer(k)->setIntervalMs(45);
    if (!runUntil([&] { return stage.Command1()->isEnabled() && spinningPosition(stage) == 0; },
                  30000)) {
        std::fprintf(stderr, "drive: the draw did not finish\n");
        return 1;
    }
    runFor(300);
    // For a closer look at where the memory goes: a copy of the memory map as it stands.
    if (const char* copy = bench::option(argc, argv, "--smaps")) {
        std::ifstream in("/proc/self/smaps");
        std::ofstream(copy) << in.rdbuf();
    }
    std::printf("figure rssbefore.tirvex.kib %ld\n", before);
    std::printf("figure rssdraw.tirvex.kib %ld\n", bench::residentKiB());
    std::printf("figure owndraw.tirvex.kib %ld\n", bench::residentWithoutShmemKiB());
    std::fflush(stdout);
    return 0;
}

int ticks(int argc, char** argv) {
    bench::Samples samples(bench::option(argc, argv, "--samples"));
    const int draws = bench::intOption(argc, argv, "--draws", 10);
    const int idleSeconds = bench::intOption(argc, argv, "--idle-seconds", 10);
    Form1& stage = form1();
    handOver(stage);
    if (!showStage(stage))
        return 1;
    const pid_t server = xServerPid();

    // Every digit change is the end of a tick handler: recorded right after it, in the
    // order the handlers were connected.
    std::vector<double> changes;
    QEventLoop* running = nullptr;
    for (int k = 1; k <= 6; ++k) {
        QObject::connect(stage.digitTimer(k), &QTimer::timeout, stage.window(), [&] {
            changes.push_back(bench::nowMs());
            if (running && spinningPosition(stage) == 0)
                running->quit();
        });
    }

    std::vector<double> allErrors;
    for (int d = 0; d < draws; ++d) {
        changes.clear();
        CpuShare cpu(server);
        QEventLoop loop;
        running = &loop;
        const double start = bench::nowMs();
        QTimer::singleShot(0, &loop, [&] { Application::runHandler([&] { stage.Command1_Click(); }); });
        QTimer::singleShot(int(TickMs * TicksPerDraw * 2), &loop, &QEventLoop::quit);
        loop.exec();
        running = nullptr;
        const double ownShare = cpu.own(), serverShare = cpu.server();

        std::vector<double> errors;
        double previous = start;
        for (double at : changes) {
            errors.push_back(std::abs(at - previous - TickMs));
            previous = at;
        }
        if (int(changes.size()) != TicksPerDraw)
            std::fprintf(stderr, "ticks: draw %d had %zu digit changes, not %d\n", d + 1,
                         changes.size(), TicksPerDraw);
        if (changes.empty())
            continue;
        const double drift = changes.back() - start - TickMs * double(changes.size());
        for (double e : errors)
            samples.add("tick.error.ms", e);
        samples.add("tick.draw.p99.ms", quantile(errors, 0.99));
        samples.add("tick.drift.ms", drift);
        samples.add("cpu.draw.pct", ownShare);
        if (serverShare >= 0)
            samples.add("cpu.draw.xserver.pct", serverShare);
        allErrors.insert(allErrors.end(), errors.begin(), errors.end());
        std::fprintf(stderr,
                     "ticks draw %2d: error p50 %.2f ms, max %.2f ms, drift %+.1f ms; "
                     "cpu %.2f%% (X server %.2f%%)\n",
                     d + 1, quantile(errors, 0.5), quantile(errors, 1.0), drift, ownShare,
                     serverShare);
    }

    // The stage standing open between draws.
    for (int s = 0; s < idleSeconds; ++s) {
        CpuShare cpu(server);
        runFor(1000);
        samples.add("cpu.idle.pct", cpu.own());
        if (server > 0)
            samples.add("cpu.idle.xserver.pct", cpu.server());
    }
    std::fprintf(stderr, "ticks: %zu digit changes, error p50 %.2f p99 %.2f max %.2f ms\n",
                 allErrors.size(), quantile(allErrors, 0.5), quantile(allErrors, 0.99),
                 quantile(allErrors, 1.0));
    stage.Unload();
    return 0;
}

int paint(int argc, char** argv) {
    bench::Samples samples(bench::option(argc, argv, "--samples"));
    const char* label = bench::option(argc, argv, "--label");
    const int draws = bench::intOption(argc, argv, "--draws", 10);
    const std::string name = label ? label : "screen";
    Form1& stage = form1();
    handOver(stage);
    if (!showStage(stage))
        return 1;
    FormWindow* window = stage.window();
    const qreal dpr = window->devicePixelRatioF();
    std::fprintf(stderr, "paint %s: stage %dx%d logical pixels, %.0fx%.0f device pixels\n",
                 name.c_str(), window->width(), window->height(), window->width() * dpr,
                 window->height() * dpr);

    // Counts the digit positions' paints, to show that a measured flush really painted.
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                ++paints;
            return false;
        }
    } counter;
    for (int k = 1; k <= 6; ++k)
        stage.digitLabel(k)->installEventFilter(&counter);

    auto measure = [&](const char* kind, const std::function<void()>& flush) {
        std::vector<double> times;
        int paintsInFlush = 0;
        // One draw first, not counted, so every glyph and picture is in its cache.
        for (int d = 0; d <= draws; ++d) {
            stage.Command1_Click();
            QCoreApplication::processEvents();
            for (int k = spinningPosition(stage); k != 0; k = spinningPosition(stage)) {
                const int paintsBefore = counter.paints;
                const double start = bench::nowMs();
                tick(stage, k);
                flush();
                if (d > 0) {
                    times.push_back(bench::nowMs() - start);
                    paintsInFlush += counter.paints - paintsBefore;
                }
                // Whatever else is due (a frame of the marker) is handled between ticks,
                // as the event loop would.
                QCoreApplication::processEvents();
            }
        }
        const std::string key = "paint." + name + "." + kind + ".ms";
        for (double t : times)
            samples.add(key.c_str(), t);
        std::fprintf(stderr,
                     "paint %s, tick + %s: median %.2f ms, p99 %.2f ms, max %.2f ms "
                     "(%.1f digit paints a tick)\n",
                     name.c_str(), kind, quantile(times, 0.5), quantile(times, 0.99),
                     quantile(times, 1.0), double(paintsInFlush) / double(times.size()));
    };
    // What the audience's screen gets after a tick: the changed digit, its prefix field
    // and the marker, repainted and flushed.
    measure("update", [&] { QCoreApplication::sendPostedEvents(window, QEvent::UpdateRequest); });
    // The whole stage painted again and flushed: the most a tick could ever cost. A
    // repaint() of the window alone would leave out the opaque controls, whose pixels Qt
    // knows to be still valid, so every control is marked.
    const QList<QWidget*> everything = window->findChildren<QWidget*>();
    measure("full", [&] {
        for (QWidget* w : everything)
            w->update();
        window->repaint();
    });
    stage.Unload();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode != "drive" && mode != "ticks" && mode != "paint") {
        std::fprintf(stderr, "usage: %s drive | ticks [--draws N] [--idle-seconds N] "
                             "[--samples FILE] | paint --label NAME [--draws N] [--samples FILE]\n",
                     argv[0]);
        return 2;
    }
    Application app(argc, argv);
    // The program ends by itself when its windows close; here the benchmark decides.
    Application::setEndAction([] {});
    int failures = 0;
    error_report::setSink([&failures](const QString& message) {
        ++failures;
        std::fprintf(stderr, "stage: reported: %s\n", message.toLocal8Bit().constData());
    });
    int rc = 0;
    if (mode == "drive")
        rc = drive(argc, argv);
    else if (mode == "ticks")
        rc = ticks(argc, argv);
    else
        rc = paint(argc, argv);
    return rc != 0 ? rc : (failures > 0 ? 1 : 0);
}
