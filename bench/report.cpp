// Prints the benchmark table from the samples the benchmarks wrote. It judges, it never
// fails: the exit status is 0 whatever the figures say.
//
//   tirvex_bench_report SAMPLES.tsv
#include "bench/report_table.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s SAMPLES.tsv\n", argv[0]);
        return 0;
    }
    std::ifstream in(argv[1]);
    if (!in)
        std::fprintf(stderr, "report: cannot read %s\n", argv[1]);
    std::fputs(bench::report::table(bench::report::parse(in)).c_str(), stdout);
    return 0;
}
