#include "ratio_report.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace bw::bench {
namespace {

// Keeps each benchmark's real seconds per iteration while the console reporter prints as usual.
class RecordingReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.iterations > 0 && !run.error_occurred && run.run_type == Run::RT_Iteration)
                seconds[run.benchmark_name()] = run.real_accumulated_time / double(run.iterations);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

}  // namespace

int RunBenchmarksWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    for (const Ratio& ratio : ratios) {
        const auto n = reporter.seconds.find(ratio.numerator);
        const auto d = reporter.seconds.find(ratio.denominator);
        if (n == reporter.seconds.end() || d == reporter.seconds.end() || d->second <= 0) continue;
        std::printf("ratio %s: %.2f\n", ratio.label.c_str(), n->second / d->second);
    }
    return 0;
}

}  // namespace bw::bench
