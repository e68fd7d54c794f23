// Runs the registered benchmarks and prints, after the usual table, the ratios of their mean
// real times measured in this same run, e.g. "ratio load/read: 1.42".
#pragma once

#include <string>
#include <vector>

namespace bw::bench {

struct Ratio {
    std::string label;
    std::string numerator;    // benchmark name (as registered)
    std::string denominator;  // benchmark name
};

// Call from main instead of BENCHMARK_MAIN's body. Returns the process exit status.
int RunBenchmarksWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios);

}  // namespace bw::bench
