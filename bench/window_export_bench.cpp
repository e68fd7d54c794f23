// Exporting the largest sample creature from the window (the export command: its save dialog
// and choices answered at once, the export told of each stage, the files saved) against
// bwtool's export of the same creature to the same format with the same options, in one run,
// for every format the window writes. Prints "ratio window/tool EXT" after the table, then per
// format the longest stage of the window's exports (the time between two progress reports, when
// the window repaints its progress bar): its median over the exports and the longest seen.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "export/command/creature_export_command.h"
#include "largest_sample_creature.h"
#include "model/notifier.h"
#include "ratio_report.h"

namespace {

using Clock = std::chrono::steady_clock;

// A folder of the run's own, removed at exit.
const std::string& OutputFolder() {
    static const struct Folder {
        std::string path;
        Folder() {
            path = (std::filesystem::temp_directory_path() / "bw-window-export-bench").string();
            std::filesystem::create_directories(path);
        }
        ~Folder() { std::filesystem::remove_all(path); }
    } folder;
    return folder.path;
}

class AnswerAtOnce : public bw::FileDialogs, public bw::ExportChoicesAsker {
  public:
    std::optional<std::string> OpenFile(const bw::FileDialogRequest&) override { return {}; }
    std::optional<std::string> SaveFile(const bw::FileDialogRequest&) override { return path; }
    std::optional<bw::ExportChoices> Ask(const bw::ExportFormat&,
                                         const bw::ExportChoices& start) override {
        return start;
    }
    std::string path;
};

// Per format, the longest stage of each export, in milliseconds.
std::map<std::string, std::vector<double>>& LongestStages() {
    static std::map<std::string, std::vector<double>> longest;
    return longest;
}

void BM_WindowExport(benchmark::State& state, const std::string& extension) {
    bw::SilentNotifier notifier;
    AnswerAtOnce answers;
    answers.path = OutputFolder() + "/window" + extension;
    bw::CreatureExportCommand command(bw::bench::LargestSampleCreature(), answers, answers,
                                      notifier);
    std::vector<double>& longestOfEach = LongestStages()[extension];
    for (auto _ : state) {
        double longest = 0.0;
        Clock::time_point last = Clock::now();
        const auto stage = [&](bw::ExportStage) {
            const Clock::time_point now = Clock::now();
            longest =
                std::max(longest, std::chrono::duration<double, std::milli>(now - last).count());
            last = now;
        };
        if (!command.Run(bw::ExportKind::BodyParts, true, stage)) {
            state.SkipWithError("the window's export failed");
            break;
        }
        stage(bw::ExportStage::Saving);  // the end of the last stage
        longestOfEach.push_back(longest);
    }
}

void BM_ToolExport(benchmark::State& state, const std::string& extension) {
    const bw::ExportFormat& format = *bw::ExportFormatOfExtension(extension);
    const std::string path = OutputFolder() + "/tool" + extension;
    const bw::ExportOptions options = bw::ExportOptionsOf(bw::DefaultExportChoices(format), true);
    for (auto _ : state) {
        bw::ExportResult result;
        std::string reason;
        if (!bw::ExportCreature(bw::bench::LargestSampleCreature(), path, format, options, result,
                                &reason)) {
            state.SkipWithError(reason.c_str());
            break;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<bw::bench::Ratio> ratios;
    for (const bw::ExportFormat& format : bw::ExportFormats(bw::ExportFormatSet::Every)) {
        const std::string extension(format.extension);
        const std::string name = extension.substr(1);
        benchmark::RegisterBenchmark(("BM_WindowExport/" + name).c_str(), BM_WindowExport,
                                     extension)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.5);
        benchmark::RegisterBenchmark(("BM_ToolExport/" + name).c_str(), BM_ToolExport, extension)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.5);
        ratios.push_back({"window/tool " + name, "BM_WindowExport/" + name + "/min_time:0.500",
                          "BM_ToolExport/" + name + "/min_time:0.500"});
    }
    const int status = bw::bench::RunBenchmarksWithRatios(argc, argv, ratios);
    for (auto& [extension, milliseconds] : LongestStages()) {
        if (milliseconds.empty()) continue;
        std::sort(milliseconds.begin(), milliseconds.end());
        std::printf("longest stage %s: median %.1f ms, at most %.1f ms (%zu exports)\n",
                    extension.c_str(), milliseconds[milliseconds.size() / 2], milliseconds.back(),
                    milliseconds.size());
    }
    return status;
}
