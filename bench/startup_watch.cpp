// Start-up and memory, seen from outside: starts a program on the current X display and
// waits, as an X client of its own, for the program's first top-level window to be mapped.
// The time from just before the program is started to that MapNotify is its start-up
// time; its resident memory is read one second after the start. The time to its first
// complete frame is when the X server reports (through the DAMAGE extension) that the
// program has drawn over the whole of that window.
//
//   tirvex_bench_startup --subject PATH --baseline PATH [--driver PATH] [--runs N]
//                        [--samples FILE] [--prefix KEY_PREFIX] [--no-memory]
//
// --prefix goes in front of every sample key, so runs under different conditions (with
// and without a window manager) keep their figures apart; --no-memory leaves out the
// one-second wait and the memory figures.
//
// Each round starts the subject (the program), the baseline (the bare Qt window) and, when
// given, the driver (a build of the program that walks through a whole draw by itself and
// prints "figure KEY VALUE" lines), in an order that rotates from round to round, so that
// neither profits from a warmer machine. The subject and the baseline are ended after
// their memory is read; the driver ends by itself. One round before the first is not
// counted: it brings the files into the page cache.
#include "bench/bench_common.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/damage.h>
#include <xcb/xcb.h>

extern char** environ;

namespace {

constexpr double MapTimeoutMs = 20000;
constexpr double DriverTimeoutMs = 90000;
constexpr double FrameTimeoutMs = 5000;

struct Program {
    std::string name;
    std::string path;
    bool isDriver = false;
};

struct Outcome {
    bool mapped = false;
    double startupMs = 0;
    double frameMs = -1; // to the first frame that covers the window; -1 when not seen
    long rss1sKiB = -1;
    long own1sKiB = -1; // without the windows' pixel buffers
    std::map<std::string, double> figures; // what a driver printed
};

class Watcher {
  public:
    Watcher() {
        int screenNumber = 0;
        connection_ = xcb_connect(nullptr, &screenNumber);
        if (xcb_connection_has_error(connection_)) {
            std::fprintf(stderr, "startup: cannot connect to the X display\n");
            std::exit(2);
        }
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection_));
        for (int i = 0; i < screenNumber; ++i)
            xcb_screen_next(&it);
        root_ = it.data->root;
        // Top-level windows are created as children of the root: their creation is seen
        // here, and each is then watched for its own map.
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        pidAtom_ = atom("_NET_WM_PID");
        const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection_, &xcb_damage_id);
        if (damage && damage->present) {
            damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
            std::free(xcb_damage_query_version_reply(
                connection_, xcb_damage_query_version(connection_, 1, 1), nullptr));
        } else {
            std::fprintf(stderr, "startup: no DAMAGE extension; no frame times\n");
        }
        xcb_flush(connection_);
    }
    ~Watcher() { xcb_disconnect(connection_); }
    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;

    Outcome run(const Program& program, bool memory) {
        drain();
        Outcome out;
        int outPipe[2] = {-1, -1};
        if (program.isDriver && pipe(outPipe) != 0)
            return out;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (program.isDriver) {
            posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
            posix_spawn_file_actions_addclose(&actions, outPipe[0]);
        } else {
            posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
            posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        }
        std::vector<char*> argv{const_cast<char*>(program.path.c_str())};
        std::string drive = "drive";
        if (program.isDriver)
            argv.push_back(drive.data());
        argv.push_back(nullptr);

        pid_t pid = 0;
        const double start = bench::nowMs();
        const int rc = posix_spawn(&pid, program.path.c_str(), &actions, nullptr, argv.data(),
                                   environ);
        posix_spawn_file_actions_destroy(&actions);
        if (program.isDriver)
            close(outPipe[1]);
        if (rc != 0) {
            std::fprintf(stderr, "startup: cannot start %s: %s\n", program.path.c_str(),
                         std::strerror(rc));
            return out;
        }

        const Seen seen = waitForWindow(pid, start);
        if (seen.mapped) {
            out.mapped = true;
            out.startupMs = *seen.mapped - start;
            if (seen.frame)
                out.frameMs = *seen.frame - start;
        } else {
            std::fprintf(stderr, "startup: %s showed no window within %.0f s\n",
                         program.name.c_str(), MapTimeoutMs / 1000);
        }
        if (memory) {
            const double oneSecond = start + 1000 - bench::nowMs();
            if (oneSecond > 0)
                usleep(useconds_t(oneSecond * 1000));
            out.rss1sKiB = bench::residentKiB(pid);
            out.own1sKiB = bench::residentWithoutShmemKiB(pid);
        }

        if (program.isDriver) {
            out.figures = readFigures(outPipe[0], pid);
            close(outPipe[0]);
        } else {
            kill(pid, SIGTERM);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        for (const xcb_damage_damage_t d : damages_)
            xcb_damage_destroy(connection_, d);
        damages_.clear();
        drain();
        return out;
    }

  private:
    xcb_atom_t atom(const char* name) {
        auto cookie = xcb_intern_atom(connection_, 0, uint16_t(std::strlen(name)), name);
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection_, cookie, nullptr);
        const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return a;
    }

    // The process a window belongs to, as the toolkit announces it; 0 when unknown.
    pid_t pidOf(xcb_window_t window) {
        auto cookie =
            xcb_get_property(connection_, 0, window, pidAtom_, XCB_ATOM_CARDINAL, 0, 1);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(connection_, cookie, nullptr);
        pid_t pid = 0;
        if (reply && reply->format == 32 && xcb_get_property_value_length(reply) >= 4)
            pid = pid_t(*static_cast<uint32_t*>(xcb_get_property_value(reply)));
        std::free(reply);
        return pid;
    }

    bool isMapped(xcb_window_t window) {
        auto cookie = xcb_get_window_attributes(connection_, window);
        xcb_get_window_attributes_reply_t* reply =
            xcb_get_window_attributes_reply(connection_, cookie, nullptr);
        const bool mapped = reply && reply->map_state != XCB_MAP_STATE_UNMAPPED;
        std::free(reply);
        return mapped;
    }

    struct Seen {
        std::optional<double> mapped;
        std::optional<double> frame;
    };

    // When the program's first top-level window was mapped (nothing on a time-out or when
    // the program ends first), and when the program had first drawn over all of it.
    Seen waitForWindow(pid_t pid, double start) {
        Seen seen;
        const int fd = xcb_get_file_descriptor(connection_);
        xcb_window_t first = 0;
        while (bench::nowMs() - start < MapTimeoutMs) {
            if (seen.mapped && (seen.frame || !damageEvent_ ||
                                bench::nowMs() - *seen.mapped > FrameTimeoutMs))
                return seen;
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
                const double at = bench::nowMs();
                const uint8_t type = event->response_type & 0x7f;
                if (type == XCB_CREATE_NOTIFY) {
                    auto* e = reinterpret_cast<xcb_create_notify_event_t*>(event);
                    if (e->parent == root_ && !e->override_redirect) {
                        const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
                        xcb_change_window_attributes(connection_, e->window, XCB_CW_EVENT_MASK,
                                                     &mask);
                        // Each damage report gives the box around all drawing since the
                        // window was created; the frame is complete once it is the window.
                        if (damageEvent_) {
                            damages_.push_back(xcb_generate_id(connection_));
                            xcb_damage_create(connection_, damages_.back(), e->window,
                                              XCB_DAMAGE_REPORT_LEVEL_BOUNDING_BOX);
                        }
                        // Mapped before the watch took hold: the time seen now is a little
                        // late, never early.
                        if (!seen.mapped && isMapped(e->window) && pidOf(e->window) == pid) {
                            seen.mapped = at;
                            first = e->window;
                        }
                    }
                } else if (type == XCB_MAP_NOTIFY) {
                    auto* e = reinterpret_cast<xcb_map_notify_event_t*>(event);
                    if (!seen.mapped && !e->override_redirect && pidOf(e->window) == pid) {
                        seen.mapped = at;
                        first = e->window;
                    }
                } else if (damageEvent_ && type == damageEvent_) {
                    auto* e = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                    if (!seen.frame && e->drawable == first &&
                        e->area.width >= e->geometry.width && e->area.height >= e->geometry.height)
                        seen.frame = at;
                }
                std::free(event);
            }
            if (xcb_connection_has_error(connection_))
                return {};
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                std::fprintf(stderr, "startup: the program ended before it showed a window\n");
                return {};
            }
            xcb_flush(connection_);
            pollfd p{fd, POLLIN, 0};
            poll(&p, 1, 20);
        }
        return {};
    }

    // Reads "figure KEY VALUE" lines until the driver closes its output or runs too long.
    std::map<std::string, double> readFigures(int fd, pid_t pid) {
        std::string text;
        const double start = bench::nowMs();
        char buffer[4096];
        for (;;) {
            pollfd p{fd, POLLIN, 0};
            const int ready = poll(&p, 1, 200);
            if (ready > 0) {
                const ssize_t n = read(fd, buffer, sizeof buffer);
                if (n <= 0)
                    break;
                text.append(buffer, std::size_t(n));
            }
            if (bench::nowMs() - start > DriverTimeoutMs) {
                std::fprintf(stderr, "startup: the driver did not finish; ending it\n");
                kill(pid, SIGTERM);
                break;
            }
        }
        std::map<std::string, double> figures;
        std::size_t from = 0;
        while (from < text.size()) {
            std::size_t end = text.find('\n', from);
            if (end == std::string::npos)
                end = text.size();
            char key[128];
            double value = 0;
            const std::string line = text.substr(from, end - from);
            if (std::sscanf(line.c_str(), "figure %127s %lf", key, &value) == 2)
                figures[key] = value;
            from = end + 1;
        }
        return figures;
    }

    void drain() {
        xcb_flush(connection_);
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
            std::free(event);
    }

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t pidAtom_ = XCB_ATOM_NONE;
    uint8_t damageEvent_ = 0;
    std::vector<xcb_damage_damage_t> damages_;
};

} // namespace

int main(int argc, char** argv) {
    const char* subject = bench::option(argc, argv, "--subject");
    const char* baseline = bench::option(argc, argv, "--baseline");
    const char* driver = bench::option(argc, argv, "--driver");
    const int runs = bench::intOption(argc, argv, "--runs", 10);
    const char* prefixOption = bench::option(argc, argv, "--prefix");
    const std::string prefix = prefixOption ? prefixOption : "";
    bool memory = true;
    for (int i = 1; i < argc; ++i)
        memory = memory && std::strcmp(argv[i], "--no-memory") != 0;
    const auto key = [&prefix](const char* name) { return prefix + name; };
    if (!subject || !baseline) {
        std::fprintf(stderr, "usage: %s --subject PATH --baseline PATH [--driver PATH] "
                             "[--runs N] [--samples FILE]\n",
                     argv[0]);
        return 2;
    }
    bench::Samples samples(bench::option(argc, argv, "--samples"));
    std::vector<Program> programs{{"tirvex", subject, false}, {"bare", baseline, false}};
    if (driver)
        programs.push_back({"driver", driver, true});

    Watcher watcher;
    for (int round = 0; round <= runs; ++round) {
        const bool counted = round > 0;
        std::map<std::string, Outcome> outcomes;
        for (std::size_t i = 0; i < programs.size(); ++i) {
            const Program& p = programs[(i + std::size_t(round)) % programs.size()];
            outcomes[p.name] = watcher.run(p, memory);
        }
        const Outcome& t = outcomes["tirvex"];
        const Outcome& b = outcomes["bare"];
        std::fprintf(stderr,
                     "startup %s%s %2d: tirvex %6.1f ms (frame %6.1f) %6ld KiB, "
                     "bare %6.1f ms (frame %6.1f) %6ld KiB",
                     prefix.c_str(), counted ? "round" : "warm-up", round, t.startupMs, t.frameMs,
                     t.rss1sKiB, b.startupMs, b.frameMs, b.rss1sKiB);
        if (driver) {
            const Outcome& d = outcomes["driver"];
            auto it = d.figures.find("rssdraw.tirvex.kib");
            std::fprintf(stderr, ", after a draw %6.0f KiB",
                         it == d.figures.end() ? -1.0 : it->second);
        }
        std::fprintf(stderr, "\n");
        if (!counted)
            continue;
        if (t.mapped)
            samples.add(key("startup.tirvex.ms").c_str(), t.startupMs);
        if (b.mapped)
            samples.add(key("startup.bare.ms").c_str(), b.startupMs);
        if (t.mapped && b.mapped)
            samples.add(key("startup.ratio").c_str(), t.startupMs / b.startupMs);
        if (t.frameMs > 0)
            samples.add(key("frame.tirvex.ms").c_str(), t.frameMs);
        if (b.frameMs > 0)
            samples.add(key("frame.bare.ms").c_str(), b.frameMs);
        if (t.frameMs > 0 && b.frameMs > 0)
            samples.add(key("frame.ratio").c_str(), t.frameMs / b.frameMs);
        if (t.rss1sKiB > 0)
            samples.add("rss1s.tirvex.kib", double(t.rss1sKiB));
        if (b.rss1sKiB > 0)
            samples.add("rss1s.bare.kib", double(b.rss1sKiB));
        if (t.rss1sKiB > 0 && b.rss1sKiB > 0)
            samples.add("rss1s.ratio", double(t.rss1sKiB) / double(b.rss1sKiB));
        if (t.own1sKiB > 0 && b.own1sKiB > 0)
            samples.add("own1s.ratio", double(t.own1sKiB) / double(b.own1sKiB));
        if (driver) {
            const Outcome& d = outcomes["driver"];
            for (const auto& [name, value] : d.figures)
                samples.add(name.c_str(), value);
            auto it = d.figures.find("rssdraw.tirvex.kib");
            if (it != d.figures.end() && b.rss1sKiB > 0)
                samples.add("rssdraw.ratio", it->second / double(b.rss1sKiB));
            auto own = d.figures.find("owndraw.tirvex.kib");
            if (own != d.figures.end() && b.own1sKiB > 0)
                samples.add("owndraw.ratio", own->second / double(b.own1sKiB));
        }
    }
    return 0;
}
