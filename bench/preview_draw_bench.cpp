// Drawing the assembled sample creatures in the preview: frames per second for every creature
// type (its sample project) in each shading mode, at the size the main dialog gives the
// preview, against a bare native GL window drawing the same quads in the same run.
//
// The preview is the real PreviewView in the shown main dialog. The baseline is a top-level GL
// window of the preview's size and format, outside any dialog, that draws every part's view
// points with glVertexPointer/glNormalPointer and one glDrawElements per run of quads of one
// surface, with the same projection, light and materials: what this machine can draw and
// present. A third measurement in the same run draws preview frames with a shading mode that
// draws no part: what clearing and presenting costs every frame.
//
// Each preview frame is driven from this loop as the program's own repaints run: the repaint
// request the pages make (Invalidate), then one pass of the event loop, which draws and swaps
// the preview window. The baseline draws and swaps each frame directly, then runs the same pass
// of the event loop: the least a frame can cost. The presented frames are counted (frameSwapped)
// and must equal the iterations; the share of the frame the creature covers is reported from
// a grab after the loop, and the CPU time of the whole process per frame (the driver's
// rendering threads included) beside the wall-clock time.
//
// Run under Xvfb (Mesa llvmpipe):
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/preview_draw_bench
#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <QImage>
#include <array>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "gui_bench_support.h"
#include "ratio_report.h"
#include "render/preview_view.h"
#include "render/view_transform.h"
#include "select/select_parts_page.h"

namespace {

using bw::bench::kSampleCreatureTypes;
using bw::bench::kShadingModeNames;

// The preview's projection and light, repeated here so the baseline draws the same picture.
constexpr double kEyeDistance = 0.5;
constexpr double kFieldOfViewDegrees = 45.0;
constexpr double kNearPlane = 0.02;
constexpr double kFarPlane = 400.0;
constexpr GLfloat kSmoothLightPosition[4] = {-114.0f, 14.0f, -114.0f, 1.0f};
constexpr GLfloat kSmoothLightSpecular[4] = {0.0f, 0.0f, 0.0f, 0.1f};
constexpr GLfloat kFlatLightPosition[4] = {-4.0f, 4.0f, -4.0f, 1.0f};
constexpr GLfloat kFlatLightSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat kMaterialBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};

// Draws the creature's parts from client-side arrays: per part the view transform as the
// preview computes it, then the quads as index runs, one material per run. Flat shading uses
// the per-corner normal of each quad's last corner (GL's flat shading) instead of a face
// normal; the pixels drawn are the same.
class ClientArrayWindow : public QOpenGLWindow {
  public:
    ClientArrayWindow() : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate) {
        setFormat(bw::PreviewView::RequestedFormat());
        setTitle("bare GL window");
    }

    // Draws and presents one frame now, with none of Qt's update machinery in between.
    void PresentNow() {
        makeCurrent();
        paintGL();
        context()->swapBuffers(this);
        emit frameSwapped();
    }

    // Takes the creature's parts as they are now; call again after the parts change.
    void SetCreature(bw::Creature* creature, float zoom, const std::array<float, 3>& background) {
        creature_ = creature;
        zoom_ = zoom;
        background_ = background;
        parts_.clear();
        for (int i = 0; i < creature->PartCount(); ++i) {
            PartArrays arrays{creature->Part(i), {}, {}};
            for (const bw::Quad& quad : arrays.part->Polygons()) {
                if (arrays.runs.empty() || arrays.runs.back().surface != quad.surface)
                    arrays.runs.push_back({quad.surface, GLsizei(arrays.indices.size()), 0});
                arrays.indices.insert(arrays.indices.end(), quad.corner.begin(),
                                      quad.corner.end());
                arrays.runs.back().count += 4;
            }
            parts_.push_back(std::move(arrays));
        }
    }

  protected:
    void initializeGL() override {
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glShadeModel(GL_SMOOTH);
    }

    void resizeGL(int w, int h) override {
        makeCurrent();
        const int deviceWidth = int(w * devicePixelRatio());
        const int deviceHeight = int(h * devicePixelRatio());
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslated(0.0, 0.0, -kEyeDistance);
        glViewport(0, 0, deviceWidth, deviceHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(kFieldOfViewDegrees,
                       deviceHeight == 0 ? double(deviceWidth) : double(deviceWidth) / deviceHeight,
                       kNearPlane, kFarPlane);
        glMatrixMode(GL_MODELVIEW);
        glEnable(GL_DEPTH_TEST);
    }

    void paintGL() override {
        glClearColor(background_[0], background_[1], background_[2], 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (!creature_) return;
        glPushMatrix();
        glScalef(zoom_, zoom_, -zoom_);
        glEnableClientState(GL_VERTEX_ARRAY);
        for (PartArrays& arrays : parts_) DrawPart(arrays);
        glDisableClientState(GL_VERTEX_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        glPopMatrix();
    }

  private:
    struct SurfaceRun {
        std::uint16_t surface;
        GLsizei first;
        GLsizei count;
    };
    struct PartArrays {
        bw::PartObject* part;
        std::vector<std::uint16_t> indices;
        std::vector<SurfaceRun> runs;
    };

    void DrawPart(PartArrays& arrays) {
        bw::PartObject& part = *arrays.part;
        part.yaw = creature_->yaw;
        part.pitch = creature_->pitch;
        bw::BuildViewMatrix(part);
        bw::TransformToView(part);
        const int mode = creature_->shadingMode;
        if (mode < 0 || mode > 2) return;
        const bool lit = mode != 2;
        if (lit) {
            glShadeModel(mode == 0 ? GL_SMOOTH : GL_FLAT);
            const float level = creature_->lightLevel;
            const GLfloat ambient[4] = {level, level, level, 0.1f};
            const GLfloat diffuse[4] = {level, level, level, 0.4f};
            glLightfv(GL_LIGHT0, GL_POSITION, mode == 0 ? kSmoothLightPosition : kFlatLightPosition);
            glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
            glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
            glLightfv(GL_LIGHT0, GL_SPECULAR, mode == 0 ? kSmoothLightSpecular : kFlatLightSpecular);
            glEnable(GL_LIGHTING);
            glEnable(GL_LIGHT0);
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
            glEnableClientState(GL_NORMAL_ARRAY);
            glNormalPointer(GL_FLOAT, sizeof(bw::Vec3f), part.viewNormals.data());
        } else {
            glDisable(GL_LIGHTING);
            glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
            glColor3fv(creature_->wireColour.data());
            glDisableClientState(GL_NORMAL_ARRAY);
        }
        glVertexPointer(3, GL_FLOAT, sizeof(bw::Vec3f), part.viewPoints.data());
        const auto surfaces = part.Surfaces();
        for (const SurfaceRun& run : arrays.runs) {
            if (lit) {
                const float grey = bw::SurfaceMaterial::kDefaultGrey;
                const std::array<float, 3> c = run.surface < surfaces.size()
                                                   ? surfaces[run.surface].colour
                                                   : std::array<float, 3>{grey, grey, grey};
                const GLfloat ambientDiffuse[4] = {c[0], c[1], c[2], 1.0f};
                glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, ambientDiffuse);
                glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, kMaterialBlack);
                glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, kMaterialBlack);
                glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0.0f);
            }
            glDrawElements(GL_QUADS, run.count, GL_UNSIGNED_SHORT,
                           arrays.indices.data() + run.first);
        }
        glEnable(GL_LIGHTING);
    }

    bw::Creature* creature_ = nullptr;
    float zoom_ = 1.0f;
    std::array<float, 3> background_{};
    std::vector<PartArrays> parts_;
};

struct DrawEnvironment {
    std::unique_ptr<bw::bench::ShownDialog> shown;
    std::unique_ptr<ClientArrayWindow> arrays;  // shown only while it is measured
    int loadedType = -1;
    int quads = 0;
    std::map<std::string, double> framesPerSecond;  // by benchmark name
};
DrawEnvironment* environment = nullptr;

// Every benchmark here runs for at least kMinSeconds of wall-clock time; the reported names
// carry both settings.
constexpr double kMinSeconds = 2.0;
const std::string kRunSuffix = "/min_time:2.000/real_time";
constexpr int kMaleType = 3;        // index in kSampleCreatureTypes
constexpr int kNoDrawingMode = 3;  // a shading mode the creature drawing draws nothing in

// Share of the frame's pixels that differ from the background, in percent.
double DrawnPercent(const QImage& frame) {
    const QRgb background = qRgb(int(bw::bench::kBenchBackground[0] * 255.0f + 0.5f),
                                 int(bw::bench::kBenchBackground[1] * 255.0f + 0.5f),
                                 int(bw::bench::kBenchBackground[2] * 255.0f + 0.5f));
    long drawn = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if ((frame.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF)) ++drawn;
    const long all = long(frame.width()) * frame.height();
    return all == 0 ? 0.0 : 100.0 * double(drawn) / double(all);
}

// Loads the type's sample project into the dialog's creature (unless it holds it already),
// selects the shading mode and waits for a frame of `drawing`; the bare window is shown only
// while it is the one measured, so it never covers the dialog meanwhile.
bool Prepare(benchmark::State& state, int type, int mode, QOpenGLWindow* drawing) {
    bw::MainDialog& dialog = *environment->shown->dialog;
    bw::PreviewView* preview = dialog.Preview();
    bw::Creature& creature = dialog.GetCreature();
    if (environment->loadedType != type) {
        environment->loadedType = -1;
        if (!bw::bench::LoadSampleProject(creature, kSampleCreatureTypes[type])) {
            state.SkipWithError("the sample project did not load with every part");
            return false;
        }
        environment->loadedType = type;
        environment->arrays->SetCreature(&creature, preview->Zoom(), preview->BackgroundColour());
    }
    if (environment->shown->notifier.shown != 0) {
        state.SkipWithError(environment->shown->notifier.lastText.c_str());
        return false;
    }
    environment->quads = 0;
    for (int i = 0; i < creature.PartCount(); ++i)
        environment->quads += int(creature.Part(i)->Polygons().size());
    dialog.SetShadingMode(mode);
    bw::bench::FrameCounter frames(*drawing);
    if (drawing == preview) {
        environment->arrays->hide();
        preview->Invalidate();
    } else if (environment->arrays->isExposed()) {
        environment->arrays->PresentNow();
    } else {
        environment->arrays->show();
    }
    // Showing a window may serve its first exposure at once.
    if (frames.Frames() == 0 && !bw::bench::WaitForFrame(frames, 5000)) {
        state.SkipWithError("the window presented no frame after it was shown");
        return false;
    }
    return true;
}

// One frame as the program draws it: a repaint request and the event loop pass that serves it.
void PresentFrame(QOpenGLWindow* drawing) {
    if (auto* preview = dynamic_cast<bw::PreviewView*>(drawing)) {
        preview->Invalidate();
    } else {
        environment->arrays->PresentNow();
    }
    QCoreApplication::processEvents();
}

void DrawFrames(benchmark::State& state, const std::string& name, int type, int mode,
                bool preview) {
    QOpenGLWindow* drawing = preview ? static_cast<QOpenGLWindow*>(
                                           environment->shown->dialog->Preview())
                                     : environment->arrays.get();
    if (!Prepare(state, type, mode, drawing)) return;
    for (int warmUp = 0; warmUp < 3; ++warmUp) PresentFrame(drawing);

    bw::bench::FrameCounter frames(*drawing);
    const double cpuStart = bw::bench::ProcessCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) PresentFrame(drawing);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpuSeconds = bw::bench::ProcessCpuSeconds() - cpuStart;

    if (frames.Frames() != state.iterations()) {
        const std::string why = std::to_string(frames.Frames()) + " frames presented for " +
                                std::to_string(state.iterations()) + " updates";
        state.SkipWithError(why.c_str());
        return;
    }
    const double fps = seconds > 0.0 ? double(state.iterations()) / seconds : 0.0;
    state.counters["fps"] = fps;
    // What a frame costs this process on all its threads, less sensitive to other load.
    state.counters["process_cpu_ms"] = 1000.0 * cpuSeconds / double(state.iterations());
    state.counters["quads"] = environment->quads;
    state.counters["drawn_%"] = DrawnPercent(drawing->grabFramebuffer());
    environment->framesPerSecond[name] = fps;
}

std::string BenchmarkName(const char* drawer, int type, int mode) {
    return std::string(drawer) + "/" + kSampleCreatureTypes[type] + "/" + kShadingModeNames[mode];
}

}  // namespace

int main(int argc, char** argv) {
    auto app = bw::bench::MakeApplication(argc, argv);
    DrawEnvironment env;
    std::string why;
    env.shown = bw::bench::ShowMainDialog(&why);
    if (!env.shown) {
        std::fprintf(stderr, "preview_draw_bench: %s\n", why.c_str());
        return 1;
    }
    bw::PreviewView* preview = env.shown->dialog->Preview();
    env.arrays = std::make_unique<ClientArrayWindow>();
    env.arrays->resize(preview->size());
    environment = &env;

    // What is measured on: the preview's size and the GL implementation.
    preview->makeCurrent();
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    std::printf("preview: %d x %d logical pixels, device pixel ratio %.2f; GL: %s, %s\n",
                preview->width(), preview->height(), preview->devicePixelRatio(),
                renderer ? renderer : "?", version ? version : "?");
    preview->doneCurrent();

    std::vector<bw::bench::Ratio> ratios;
    for (int type = 0; type < int(kSampleCreatureTypes.size()); ++type) {
        for (int mode = 0; mode < 3; ++mode) {
            const std::string drawn = BenchmarkName("preview", type, mode);
            const std::string arrays = BenchmarkName("bare_window", type, mode);
            benchmark::RegisterBenchmark(drawn.c_str(), [=](benchmark::State& s) {
                DrawFrames(s, drawn, type, mode, true);
            })->UseRealTime()->MinTime(kMinSeconds)->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(arrays.c_str(), [=](benchmark::State& s) {
                DrawFrames(s, arrays, type, mode, false);
            })->UseRealTime()->MinTime(kMinSeconds)->Unit(benchmark::kMillisecond);
            // Frame time of the bare window over the preview's: the preview's frames per
            // second as a share of the bare window's.
            ratios.push_back({std::string("preview fps/bare window fps, ") +
                                  kSampleCreatureTypes[type] + " " + kShadingModeNames[mode],
                              arrays + kRunSuffix, drawn + kRunSuffix});
        }
    }
    // The same frames with a shading mode that draws no part: clearing and presenting the
    // preview, which every preview frame pays whatever it draws.
    const std::string backgroundOnly = "preview/background_only";
    benchmark::RegisterBenchmark(backgroundOnly.c_str(), [=](benchmark::State& s) {
        DrawFrames(s, backgroundOnly, kMaleType, kNoDrawingMode, true);
    })->UseRealTime()->MinTime(kMinSeconds)->Unit(benchmark::kMillisecond);
    for (int mode = 0; mode < 3; ++mode)
        ratios.push_back({std::string("preview Male ") + kShadingModeNames[mode] +
                              "/background only frame",
                          BenchmarkName("preview", kMaleType, mode) + kRunSuffix,
                          backgroundOnly + kRunSuffix});
    const int status = bw::bench::RunBenchmarksWithRatios(argc, argv, ratios);

    // The goals: every creature in every mode at 0.8 or more of the bare window's frames per
    // second, a frame that draws no part in under 2 ms, smooth shading at 60 fps or more.
    double worstShare = 0.0;
    std::string worstName;
    for (const auto& [name, fps] : env.framesPerSecond) {
        if (name.find("preview/") != 0 || name == backgroundOnly) continue;
        const auto bare = env.framesPerSecond.find("bare_window/" + name.substr(8));
        if (bare == env.framesPerSecond.end() || bare->second <= 0.0) continue;
        const double share = fps / bare->second;
        if (worstName.empty() || share < worstShare) {
            worstShare = share;
            worstName = name;
        }
    }
    if (!worstName.empty())
        std::printf("lowest preview fps/bare window fps: %s at %.2f (goal: 0.80 or more)\n",
                    worstName.c_str(), worstShare);
    const auto empty = env.framesPerSecond.find(backgroundOnly);
    if (empty != env.framesPerSecond.end() && empty->second > 0.0)
        std::printf("background-only preview frame: %.2f ms, %.0f fps (goal: under 2 ms)\n",
                    1000.0 / empty->second, empty->second);
    double slowest = 0.0;
    std::string slowestName;
    for (const auto& [name, fps] : env.framesPerSecond) {
        if (name.find("preview/") == 0 && name.find("/smooth") != std::string::npos &&
            (slowestName.empty() || fps < slowest)) {
            slowest = fps;
            slowestName = name;
        }
    }
    if (!slowestName.empty())
        std::printf("slowest smooth preview: %s at %.1f fps (goal: 60 or more)\n",
                    slowestName.c_str(), slowest);
    environment = nullptr;
    return status;
}
