// Process start to the first painted frame: the beastwright executable, unchanged, started from
// a fresh directory whose bw.cfg names the sample library (so the Select Parts lists are filled
// at start) and a background colour found nowhere else in the window.
//
// Measured from outside: the clock starts just before fork() and stops when the X server holds
// a pixel of the background colour in the middle row of a viewable top-level window, which
// only the preview's first frame puts there. This process polls the server with XGetImage
// about every millisecond, then ends the program (SIGTERM) and waits for it.
//
// Baselines in the same run, both this executable started the same way:
//  - --bare-window: a QApplication made as the program makes it and one GL window of the
//    preview's size and format that only clears to the background colour: what Qt, GL and the
//    process start cost before the program does anything of its own;
//  - --exit: returns from main at once; fork, exec and loading the shared libraries, waited
//    for with waitpid.
//
// Run under Xvfb (Mesa llvmpipe):
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/first_frame_bench
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QOpenGLWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "gui_bench_support.h"
#include "ratio_report.h"

// Last: Xlib defines macros (None, Bool, Status) that clash with names in the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using Clock = std::chrono::steady_clock;

// About the size the main dialog gives the preview, in logical pixels.
constexpr int kBareWindowWidth = 553;
constexpr int kBareWindowHeight = 520;
constexpr double kTimeoutSeconds = 20.0;
constexpr int kRunsPerBenchmark = 10;

std::string selfPath;
std::string startDirectory;
Display* display = nullptr;

int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

// True when a viewable top-level window shows the background colour (each 8-bit channel
// within 1) in its middle row.
bool BackgroundShown() {
    const unsigned long want[3] = {(unsigned long)(bw::bench::kBenchBackground[0] * 255.0f + 0.5f),
                                   (unsigned long)(bw::bench::kBenchBackground[1] * 255.0f + 0.5f),
                                   (unsigned long)(bw::bench::kBenchBackground[2] * 255.0f + 0.5f)};
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return false;
    bool shown = false;
    for (unsigned k = 0; k < count && !shown; ++k) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[k], &attributes) ||
            attributes.map_state != IsViewable || attributes.width < 16 || attributes.height < 16)
            continue;
        XImage* row = XGetImage(display, children[k], 0, attributes.height / 2,
                                unsigned(attributes.width), 1, AllPlanes, ZPixmap);
        if (!row) continue;
        for (int x = 0; x < attributes.width && !shown; ++x) {
            const unsigned long pixel = XGetPixel(row, x, 0);
            const unsigned long channel[3] = {(pixel & row->red_mask) >> 16,
                                              (pixel & row->green_mask) >> 8,
                                              pixel & row->blue_mask};
            shown = true;
            for (int c = 0; c < 3; ++c)
                if (channel[c] + 1 < want[c] || channel[c] > want[c] + 1) shown = false;
        }
        XDestroyImage(row);
    }
    if (children) XFree(children);
    return shown;
}

// Starts `program` with `argument` (none when null) in the start directory, its standard
// output and error going to program-output.txt there (Qt's start-up notes would otherwise
// interleave with the table).
pid_t Start(const std::string& program, const char* argument) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(startDirectory.c_str()) != 0) _exit(127);
        const int output = open("program-output.txt", O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (output >= 0) {
            dup2(output, STDOUT_FILENO);
            dup2(output, STDERR_FILENO);
            close(output);
        }
        if (argument)
            execl(program.c_str(), program.c_str(), argument, static_cast<char*>(nullptr));
        else
            execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// Ends the program and returns the CPU time it used on all its threads, in seconds.
double Stop(pid_t pid) {
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void ReportRuns(benchmark::State& state, std::vector<double> ms, double cpuSeconds) {
    if (ms.empty()) return;
    std::sort(ms.begin(), ms.end());
    state.counters["min_ms"] = ms.front();
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["max_ms"] = ms.back();
    // CPU time the program used, all threads, until it was ended: less sensitive to other load
    // on the machine than the wall-clock times (the X server's work is not in it).
    state.counters["program_cpu_ms"] = 1000.0 * cpuSeconds / double(ms.size());
}

// Each iteration starts the program and times it until its first frame is on the server.
void TimeToFirstFrame(benchmark::State& state, const std::string& program, const char* argument) {
    if (BackgroundShown()) {
        state.SkipWithError("a window already shows the background colour");
        return;
    }
    std::vector<double> ms;
    double cpuSeconds = 0.0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const pid_t pid = Start(program, argument);
        if (pid < 0) {
            state.SkipWithError("fork failed");
            return;
        }
        bool shown = false, ended = false;
        double seconds = 0.0;
        while (!shown && !ended && seconds < kTimeoutSeconds) {
            shown = BackgroundShown();
            seconds = std::chrono::duration<double>(Clock::now() - start).count();
            int status = 0;
            if (!shown) {
                ended = waitpid(pid, &status, WNOHANG) == pid;
                if (!ended) usleep(1000);
            }
        }
        if (!ended) cpuSeconds += Stop(pid);
        if (!shown) {
            state.SkipWithError(ended ? "the program ended before its first frame"
                                      : "no frame within the time limit");
            return;
        }
        state.SetIterationTime(seconds);
        ms.push_back(1000.0 * seconds);
        // The next start must not see this window.
        while (BackgroundShown()) usleep(1000);
    }
    ReportRuns(state, std::move(ms), cpuSeconds);
}

void BM_BeastwrightFirstFrame(benchmark::State& state) {
    TimeToFirstFrame(state, BW_PROGRAM_PATH, nullptr);
}
BENCHMARK(BM_BeastwrightFirstFrame)
    ->UseManualTime()
    ->Iterations(kRunsPerBenchmark)
    ->Unit(benchmark::kMillisecond);

void BM_BareGlWindowFirstFrame(benchmark::State& state) {
    TimeToFirstFrame(state, selfPath, "--bare-window");
}
BENCHMARK(BM_BareGlWindowFirstFrame)
    ->UseManualTime()
    ->Iterations(kRunsPerBenchmark)
    ->Unit(benchmark::kMillisecond);

void BM_ExecAndExit(benchmark::State& state) {
    std::vector<double> ms;
    double cpuSeconds = 0.0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const pid_t pid = Start(selfPath, "--exit");
        int status = 0;
        rusage usage{};
        if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program did not start and exit cleanly");
            return;
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        ms.push_back(1000.0 * seconds);
        cpuSeconds += double(usage.ru_utime.tv_sec) + double(usage.ru_utime.tv_usec) * 1e-6 +
                      double(usage.ru_stime.tv_sec) + double(usage.ru_stime.tv_usec) * 1e-6;
    }
    ReportRuns(state, std::move(ms), cpuSeconds);
}
BENCHMARK(BM_ExecAndExit)
    ->UseManualTime()
    ->Iterations(kRunsPerBenchmark)
    ->Unit(benchmark::kMillisecond);

// The baseline program: clears a preview-sized native GL window to the background colour.
class ClearingWindow : public QOpenGLWindow {
  protected:
    void paintGL() override {
        const auto& c = bw::bench::kBenchBackground;
        glClearColor(c[0], c[1], c[2], 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
};

int RunBareWindow(int argc, char** argv) {
    auto app = bw::bench::MakeApplication(argc, argv);
    ClearingWindow window;
    window.resize(kBareWindowWidth, kBareWindowHeight);
    window.show();
    return app->exec();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--exit") == 0) return 0;
    if (argc > 1 && std::strcmp(argv[1], "--bare-window") == 0) return RunBareWindow(argc, argv);

    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return 1;
    selfPath.assign(path, std::size_t(length));
    display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "first_frame_bench: no X display; run it under xvfb-run\n");
        return 1;
    }
    XSetErrorHandler(IgnoreXErrors);
    startDirectory = bw::bench::MakeStartDirectory(bw::bench::SampleConfigurationText());
    std::printf("program: %s\nstart directory: %s (bw.cfg names %s)\n", BW_PROGRAM_PATH,
                startDirectory.c_str(), bw::bench::SampleLibraryDirectory().c_str());
    const std::string suffix = "/iterations:" + std::to_string(kRunsPerBenchmark) + "/manual_time";
    const int status = bw::bench::RunBenchmarksWithRatios(
        argc, argv,
        {{"beastwright first frame/bare GL window first frame", "BM_BeastwrightFirstFrame" + suffix,
          "BM_BareGlWindowFirstFrame" + suffix},
         {"beastwright first frame/exec and exit", "BM_BeastwrightFirstFrame" + suffix,
          "BM_ExecAndExit" + suffix}});
    XCloseDisplay(display);
    return status;
}
