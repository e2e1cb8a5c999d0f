// Turns the samples the benchmarks wrote into one Markdown table, with each goal beside
// its figure. It judges, it never fails: the exit status is 0 whatever the figures say.
//
//   tirvex_bench_report SAMPLES.tsv
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Series = std::vector<double>;
std::map<std::string, Series> series;

double quantile(Series v, double q) {
    std::sort(v.begin(), v.end());
    const double at = q * double(v.size() - 1);
    const std::size_t i = std::size_t(at);
    const double frac = at - double(i);
    return i + 1 < v.size() ? v[i] * (1 - frac) + v[i + 1] * frac : v[i];
}

std::string format(double v, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
    return buffer;
}

struct Row {
    std::string what;
    std::string key;       // the series whose median, minimum and maximum are shown
    double scale = 1;      // KiB to MiB, say
    int decimals = 1;
    std::string unit;
    std::string goal;      // empty: a figure for reference
    // The headline: the median unless a row says otherwise.
    std::function<std::string()> headline = nullptr;
    std::function<bool()> met = nullptr;
};

const Series* find(const std::string& key) {
    auto it = series.find(key);
    return it == series.end() || it->second.empty() ? nullptr : &it->second;
}

double median(const std::string& key) {
    const Series* s = find(key);
    return s ? quantile(*s, 0.5) : NAN;
}

double pct(const std::string& key, double q) {
    const Series* s = find(key);
    return s ? quantile(*s, q) : NAN;
}

void printRow(const Row& row) {
    const Series* s = find(row.key);
    std::string headline, med = "–", lo = "–", hi = "–", n = "0", verdict;
    if (s) {
        const double k = row.scale;
        med = format(quantile(*s, 0.5) * k, row.decimals);
        lo = format(quantile(*s, 0.0) * k, row.decimals);
        hi = format(quantile(*s, 1.0) * k, row.decimals);
        n = std::to_string(s->size());
        headline = row.headline ? row.headline() : med + " " + row.unit;
        if (row.met)
            verdict = row.met() ? "met" : "**missed**";
    } else {
        headline = "no figure";
        if (row.met)
            verdict = "not measured";
    }
    std::printf("| %s | %s | %s | %s | %s | %s | %s | %s |\n", row.what.c_str(),
                headline.c_str(), row.goal.empty() ? "" : row.goal.c_str(), verdict.c_str(),
                med.c_str(), lo.c_str(), hi.c_str(), n.c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s SAMPLES.tsv\n", argv[0]);
        return 0;
    }
    std::ifstream in(argv[1]);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string key;
        double value = 0;
        if (std::getline(fields, key, '\t') && fields >> value)
            series[key].push_back(value);
    }

    constexpr double MiB = 1.0 / 1024.0;
    auto ratio = [](const std::string& key, double goal) {
        return [key, goal] { return median(key) <= goal; };
    };
    auto times = [](const std::string& key) {
        return [key] { return format(median(key), 2) + "×"; };
    };
    const std::vector<Row> rows{
        {"1. Start-up: exec to first window mapped, tirvex", "startup.tirvex.ms", 1, 1, "ms", ""},
        {"1. Start-up: exec to first window mapped, bare Qt label", "startup.bare.ms", 1, 1,
         "ms", ""},
        {"1. Start-up ratio, tirvex / bare Qt (per round)", "startup.ratio", 1, 2, "×",
         "≤ 1.25×", times("startup.ratio"), ratio("startup.ratio", 1.25)},
        {"2. Resident memory 1 s after start, tirvex", "rss1s.tirvex.kib", MiB, 1, "MiB", ""},
        {"2. Resident memory 1 s after start, bare Qt label", "rss1s.bare.kib", MiB, 1, "MiB", ""},
        {"2. Memory ratio 1 s after start, tirvex / bare Qt", "rss1s.ratio", 1, 2, "×",
         "≤ 1.3×", times("rss1s.ratio"), ratio("rss1s.ratio", 1.3)},
        {"2. Resident memory after a whole draw, tirvex", "rssdraw.tirvex.kib", MiB, 1, "MiB", ""},
        {"2. Memory ratio after a whole draw, tirvex / bare Qt", "rssdraw.ratio", 1, 2, "×",
         "≤ 1.3×", times("rssdraw.ratio"), ratio("rssdraw.ratio", 1.3)},
        {"3. Tick error \\|Δt − 400 ms\\|, all ticks: p50 / p99 / max; columns: p99 of each "
         "draw",
         "tick.draw.p99.ms", 1, 2, "ms", "p99 ≤ 5 ms",
         [] {
             return format(pct("tick.error.ms", 0.5), 2) + " / " +
                    format(pct("tick.error.ms", 0.99), 2) + " / " +
                    format(pct("tick.error.ms", 1.0), 2) + " ms (" +
                    std::to_string(find("tick.error.ms") ? find("tick.error.ms")->size() : 0) +
                    " ticks)";
         },
         [] { return pct("tick.error.ms", 0.99) <= 5.0; }},
        {"3. Drift of a draw's last digit from start + 30 × 400 ms", "tick.drift.ms", 1, 1, "ms", ""},
    };
    // Read as: the median of one tick within 4 ms and its worst case within 12 ms, at both
    // sizes; that holds each size to the stricter of the two ways to read the goal.
    auto paintRow = [](const std::string& what, const std::string& key) {
        return Row{what,
                   key,
                   1,
                   2,
                   "ms",
                   "median ≤ 4 ms, max ≤ 12 ms",
                   [key] {
                       return format(median(key), 2) + " / " + format(pct(key, 1.0), 2) + " ms";
                   },
                   [key] { return median(key) <= 4.0 && pct(key, 1.0) <= 12.0; }};
    };
    const std::vector<Row> paintRows{
        paintRow("4. One tick + its repaint, 1920×1080: median / max", "paint.1080p.update.ms"),
        paintRow("4. One tick + its repaint, 3840×2160: median / max", "paint.2160p.update.ms"),
        paintRow("4. One tick + its repaint, 3840×2160 at scale 2: median / max",
                 "paint.2160p-scale2.update.ms"),
        paintRow("4. One tick + repaint of every control, 1920×1080: median / max",
                 "paint.1080p.full.ms"),
        paintRow("4. One tick + repaint of every control, 3840×2160: median / max",
                 "paint.2160p.full.ms"),
        paintRow("4. One tick + repaint of every control, 3840×2160 at scale 2: median / max",
                 "paint.2160p-scale2.full.ms"),
    };
    const std::vector<Row> cpuRows{
        {"5. CPU, share of one core during a draw (marker animating), tirvex", "cpu.draw.pct", 1,
         2, "%", "≤ 2%", nullptr, [] { return median("cpu.draw.pct") <= 2.0; }},
        {"5. CPU during a draw, the X server (Xvfb)", "cpu.draw.xserver.pct", 1, 2, "%", ""},
        {"5. CPU, stage open and idle, tirvex (1 s windows)", "cpu.idle.pct", 1, 2, "%",
         "about 0 (≤ 0.1%)", nullptr, [] { return median("cpu.idle.pct") <= 0.1; }},
        {"5. CPU, stage idle, the X server (Xvfb)", "cpu.idle.xserver.pct", 1, 2, "%", ""},
        {"Draw without painting: one tick through the handlers", "draw.tick.us", 1, 1, "µs", ""},
    };

    std::printf("| Figure | Value | Goal | Verdict | median | min | max | n |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    for (const auto* group : {&rows, &paintRows, &cpuRows})
        for (const Row& row : *group)
            printRow(row);
    return 0;
}
