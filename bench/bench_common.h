#pragma once

// Small helpers shared by the benchmark programs: a monotonic clock, the resident memory
// and CPU time of a process, and the sample file every figure is written to. Plain C++ and
// POSIX only, so the start-up watcher needs nothing of Qt.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/resource.h>
#include <sys/types.h>
#include <unistd.h>

namespace bench {

inline double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// A memory figure of a process in KiB, from /proc/PID/status (VmRSS: all resident memory;
// RssShmem: the shared part, which under X holds the windows' pixel buffers); pid 0 is
// this process. -1 when it cannot be read.
inline long statusKiB(pid_t pid, const char* field) {
    const std::string path =
        pid == 0 ? std::string("/proc/self/status") : "/proc/" + std::to_string(pid) + "/status";
    FILE* f = std::fopen(path.c_str(), "r");
    if (!f)
        return -1;
    char line[256];
    long kib = -1;
    const std::size_t n = std::strlen(field);
    while (std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, field, n) == 0 && line[n] == ':') {
            kib = std::strtol(line + n + 1, nullptr, 10);
            break;
        }
    }
    std::fclose(f);
    return kib;
}

inline long residentKiB(pid_t pid = 0) { return statusKiB(pid, "VmRSS"); }

// Resident memory without the windows' pixel buffers: what the program itself holds.
inline long residentWithoutShmemKiB(pid_t pid = 0) {
    const long all = statusKiB(pid, "VmRSS"), shared = statusKiB(pid, "RssShmem");
    return all < 0 || shared < 0 ? -1 : all - shared;
}

// User plus system CPU time of this process, in seconds.
inline double ownCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    auto s = [](const timeval& tv) { return double(tv.tv_sec) + double(tv.tv_usec) / 1e6; };
    return s(u.ru_utime) + s(u.ru_stime);
}

// User plus system CPU time of another process, in seconds; -1 when it cannot be read.
inline double processCpuSeconds(pid_t pid) {
    const std::string path = "/proc/" + std::to_string(pid) + "/stat";
    FILE* f = std::fopen(path.c_str(), "r");
    if (!f)
        return -1;
    char buffer[1024];
    const std::size_t n = std::fread(buffer, 1, sizeof buffer - 1, f);
    std::fclose(f);
    buffer[n] = '\0';
    // The command name may hold spaces; the fields after it start behind the last ')'.
    const char* p = std::strrchr(buffer, ')');
    if (!p)
        return -1;
    unsigned long utime = 0, stime = 0;
    // Fields 3 to 13 are skipped; 14 and 15 are user and system time in clock ticks.
    if (std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime,
                    &stime) != 2)
        return -1;
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

// Every figure goes to one tab-separated file, one sample a line: key, value. The report
// reads them all back; progress for the reader goes to stderr.
class Samples {
  public:
    explicit Samples(const char* path) : file_(path ? std::fopen(path, "a") : nullptr) {
        if (path && !file_)
            std::fprintf(stderr, "bench: cannot append to %s\n", path);
    }
    ~Samples() {
        if (file_)
            std::fclose(file_);
    }
    Samples(const Samples&) = delete;
    Samples& operator=(const Samples&) = delete;

    void add(const char* key, double value) {
        if (!file_)
            return;
        std::fprintf(file_, "%s\t%.6f\n", key, value);
        std::fflush(file_);
    }

  private:
    FILE* file_;
};

// The value following a "--name" argument, or nullptr.
inline const char* option(int argc, char** argv, const char* name) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return argv[i + 1];
    return nullptr;
}

inline int intOption(int argc, char** argv, const char* name, int fallback) {
    const char* v = option(argc, argv, name);
    return v ? std::atoi(v) : fallback;
}

} // namespace bench
