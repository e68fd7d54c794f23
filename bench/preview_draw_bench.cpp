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
// of the event loop: the least a frame can cost. The two windows stand side by side and take
// turns, a frame each, so that load from elsewhere on the machine falls on both alike; each
// one's frames are timed on their own. The presented frames are counted (frameSwapped) and
// must equal the iterations; the share of the preview the creature covers is reported from a
// grab after the loop. The largest creature is also drawn at each surface level ("Parts",
// "Smooth", "Smoother"), still and while an Adjust drag moves its points.
//
// Run under Xvfb (Mesa llvmpipe):
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/preview_draw_bench
#include <GL/gl.h>
#include <GL/glu.h>
#include <benchmark/benchmark.h>

#include <QImage>
#include <QScreen>
#include <array>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "gui_bench_support.h"
#include "ratio_report.h"
#include "render/preview_camera.h"
#include "render/ui/preview_view.h"
#include "render/view_transform.h"
#include "rig/creature_pose.h"
#include "select/ui/select_parts_page.h"
#include "subdivide/surface_level.h"

namespace {

using bw::bench::kSampleCreatureTypes;
using bw::bench::kShadingModeNames;

// The preview's light, repeated here so the baseline draws the same picture (the camera is the
// preview's own).
using bw::kEyeDistance;
using bw::kFarPlane;
using bw::kFieldOfViewDegrees;
using bw::kNearPlane;
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
                arrays.indices.insert(arrays.indices.end(), quad.corner.begin(), quad.corner.end());
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
        const int mode = static_cast<int>(creature_->shadingMode);
        if (mode < 0 || mode > 2) return;
        const bool lit = mode != 2;
        if (lit) {
            glShadeModel(mode == 0 ? GL_SMOOTH : GL_FLAT);
            const float level = creature_->lightLevel;
            const GLfloat ambient[4] = {level, level, level, 0.1f};
            const GLfloat diffuse[4] = {level, level, level, 0.4f};
            glLightfv(GL_LIGHT0, GL_POSITION,
                      mode == 0 ? kSmoothLightPosition : kFlatLightPosition);
            glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
            glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
            glLightfv(GL_LIGHT0, GL_SPECULAR,
                      mode == 0 ? kSmoothLightSpecular : kFlatLightSpecular);
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
    std::unique_ptr<ClientArrayWindow> arrays;  // beside the dialog, never covering it
    int loadedType = -1;
    int quads = 0;
    std::map<std::string, double> framesPerSecond;  // "preview/Male/smooth", "bare_window/..."
};
DrawEnvironment* environment = nullptr;

// Every benchmark here runs for at least kMinSeconds of wall-clock time.
constexpr double kMinSeconds = 2.0;
constexpr int kMaleType = 3;       // index in kSampleCreatureTypes
constexpr int kNoDrawingMode = 3;  // a shading mode the creature drawing draws nothing in
const std::string kBackgroundOnly = "preview/background_only";

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

// One frame as the program draws it: a repaint request and the event loop pass that serves it.
// The bare window draws and swaps directly, then runs the same pass.
void PresentFrame(QOpenGLWindow* drawing) {
    if (auto* preview = dynamic_cast<bw::PreviewView*>(drawing)) {
        preview->Invalidate();
    } else {
        environment->arrays->PresentNow();
    }
    QCoreApplication::processEvents();
}

// Loads the type's sample project into the dialog's creature (unless it holds it already) and
// selects the shading mode in the dialog; both windows then present a frame of it.
bool Prepare(benchmark::State& state, int type, int mode) {
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
    dialog.SetShadingMode(static_cast<bw::ShadingMode>(mode));
    for (QOpenGLWindow* drawing : {static_cast<QOpenGLWindow*>(preview),
                                   static_cast<QOpenGLWindow*>(environment->arrays.get())})
        for (int warmUp = 0; warmUp < 3; ++warmUp) PresentFrame(drawing);
    return true;
}

// Times each window's frames alone; returns false (skipping the benchmark) when a window did
// not present exactly one frame per iteration.
struct FrameTimes {
    double seconds = 0.0;
    bw::bench::FrameCounter frames;
};

bool PresentedEveryFrame(benchmark::State& state, const FrameTimes& times, const char* what) {
    if (times.frames.Frames() == state.iterations()) return true;
    const std::string why = std::string(what) + ": " + std::to_string(times.frames.Frames()) +
                            " frames presented for " + std::to_string(state.iterations()) +
                            " updates";
    state.SkipWithError(why.c_str());
    return false;
}

double Seconds(std::chrono::steady_clock::time_point from,
               std::chrono::steady_clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// The preview and the bare window draw the same creature in turns, one frame each per
// iteration, so a change of the machine's load falls on both alike and their ratio holds
// steady from run to run.
void DrawInTurns(benchmark::State& state, int type, int mode) {
    if (!Prepare(state, type, mode)) return;
    bw::PreviewView* preview = environment->shown->dialog->Preview();
    ClientArrayWindow* bare = environment->arrays.get();
    FrameTimes previewTimes{0.0, bw::bench::FrameCounter(*preview)};
    FrameTimes bareTimes{0.0, bw::bench::FrameCounter(*bare)};
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        PresentFrame(preview);
        const auto between = std::chrono::steady_clock::now();
        PresentFrame(bare);
        const auto end = std::chrono::steady_clock::now();
        previewTimes.seconds += Seconds(start, between);
        bareTimes.seconds += Seconds(between, end);
    }
    if (!PresentedEveryFrame(state, previewTimes, "preview") ||
        !PresentedEveryFrame(state, bareTimes, "bare window"))
        return;
    const double n = double(state.iterations());
    const double previewFps = previewTimes.seconds > 0.0 ? n / previewTimes.seconds : 0.0;
    const double bareFps = bareTimes.seconds > 0.0 ? n / bareTimes.seconds : 0.0;
    state.counters["preview_fps"] = previewFps;
    state.counters["bare_fps"] = bareFps;
    state.counters["ratio"] = bareFps > 0.0 ? previewFps / bareFps : 0.0;
    state.counters["quads"] = environment->quads;
    state.counters["drawn_%"] = DrawnPercent(preview->DrawAndReadFrame());
    const std::string key = std::string(kSampleCreatureTypes[type]) + "/" + kShadingModeNames[mode];
    environment->framesPerSecond["preview/" + key] = previewFps;
    environment->framesPerSecond["bare_window/" + key] = bareFps;
}

// Preview frames with a shading mode that draws no part: clearing and presenting the preview,
// which every preview frame pays whatever it draws.
void DrawBackgroundOnly(benchmark::State& state) {
    if (!Prepare(state, kMaleType, kNoDrawingMode)) return;
    bw::PreviewView* preview = environment->shown->dialog->Preview();
    FrameTimes times{0.0, bw::bench::FrameCounter(*preview)};
    const double cpuStart = bw::bench::ProcessCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) PresentFrame(preview);
    times.seconds = Seconds(start, std::chrono::steady_clock::now());
    if (!PresentedEveryFrame(state, times, "preview")) return;
    const double fps = times.seconds > 0.0 ? double(state.iterations()) / times.seconds : 0.0;
    state.counters["fps"] = fps;
    state.counters["process_cpu_ms"] =
        1000.0 * (bw::bench::ProcessCpuSeconds() - cpuStart) / double(state.iterations());
    environment->framesPerSecond[kBackgroundOnly] = fps;
}

// Posing the largest creature: each posed frame turns joints (the forearms and thighs, a new
// angle every frame) so the points are skinned again and drawn; each unposed frame draws the
// creature at rest. The two take turns, a frame each, smooth shading.
void PoseInTurns(benchmark::State& state) {
    constexpr int kFantasyType = 0;
    if (!Prepare(state, kFantasyType, 0)) return;
    bw::MainDialog& dialog = *environment->shown->dialog;
    bw::PreviewView* preview = dialog.Preview();
    bw::CreaturePose& pose = dialog.GetCreaturePose();
    const std::array<bw::BodyPartId, 4> turned{
        *bw::BodyPartIdOfName("Left forearm"), *bw::BodyPartIdOfName("Right forearm"),
        *bw::BodyPartIdOfName("Left thigh"), *bw::BodyPartIdOfName("Right thigh")};
    FrameTimes posedTimes{0.0, bw::bench::FrameCounter(*preview)};
    double restSeconds = 0.0;
    int frame = 0;
    for (auto _ : state) {
        const float angle = float(10 + frame++ % 40);
        const auto start = std::chrono::steady_clock::now();
        for (bw::BodyPartId id : turned) pose.SetRotation(id, {angle, 0.0f, 0.0f});
        PresentFrame(preview);
        const auto between = std::chrono::steady_clock::now();
        pose.SetPose(bw::Pose{});
        PresentFrame(preview);
        const auto end = std::chrono::steady_clock::now();
        posedTimes.seconds += Seconds(start, between);
        restSeconds += Seconds(between, end);
    }
    const double n = double(state.iterations());
    const double posedFps = posedTimes.seconds > 0.0 ? n / posedTimes.seconds : 0.0;
    const double restFps = restSeconds > 0.0 ? n / restSeconds : 0.0;
    state.counters["posed_fps"] = posedFps;
    state.counters["rest_fps"] = restFps;
    environment->framesPerSecond["posing/posed"] = posedFps;
    environment->framesPerSecond["posing/rest"] = restFps;
}

// The largest creature at each surface level, smooth shading: per iteration and level, the
// level is chosen, one frame refines its surface (untimed), then kFramesPerLevel frames are
// timed. With `moving`, every timed frame first changes the left arm's scale as an Adjust drag
// does, so the surface is evaluated again from moved points before it is drawn.
constexpr int kFramesPerLevel = 5;

void SurfaceLevelsInTurns(benchmark::State& state, bool moving) {
    constexpr int kFantasyType = 0;
    if (!Prepare(state, kFantasyType, 0)) return;
    bw::MainDialog& dialog = *environment->shown->dialog;
    bw::PreviewView* preview = dialog.Preview();
    bw::Creature& creature = dialog.GetCreature();
    bw::PartObject* arm = creature.Part(0);
    const float scale = arm->adjustments.scaleValue[0];
    std::array<double, bw::kMaxSubdivisionLevel + 1> seconds{};
    int frame = 0;
    for (auto _ : state) {
        for (int level = 0; level <= bw::kMaxSubdivisionLevel; ++level) {
            dialog.SetSurfaceLevel(level);
            PresentFrame(preview);
            const auto start = std::chrono::steady_clock::now();
            for (int k = 0; k < kFramesPerLevel; ++k) {
                if (moving) {
                    arm->adjustments.scaleValue[0] = scale + 0.01f * float(frame++ % 10);
                    creature.ApplyAdjustments(arm);
                }
                PresentFrame(preview);
            }
            seconds[std::size_t(level)] += Seconds(start, std::chrono::steady_clock::now());
        }
    }
    arm->adjustments.scaleValue[0] = scale;
    creature.ApplyAdjustments(arm);
    dialog.SetSurfaceLevel(0);
    const double frames = double(state.iterations()) * kFramesPerLevel;
    const std::string kind = moving ? "surface_moving/" : "surface/";
    for (int level = 0; level <= bw::kMaxSubdivisionLevel; ++level) {
        const double fps =
            seconds[std::size_t(level)] > 0.0 ? frames / seconds[std::size_t(level)] : 0.0;
        state.counters["L" + std::to_string(level) + "_fps"] = fps;
        environment->framesPerSecond[kind + std::to_string(level)] = fps;
    }
}

// The summary lines: each ratio, then the goals.
void ReportRatiosAndGoals(const std::map<std::string, double>& fps) {
    double worstShare = 0.0, slowestSmooth = 0.0;
    std::string worstName, slowestName;
    for (int type = 0; type < int(kSampleCreatureTypes.size()); ++type) {
        for (int mode = 0; mode < 3; ++mode) {
            const std::string key =
                std::string(kSampleCreatureTypes[type]) + "/" + kShadingModeNames[mode];
            const auto preview = fps.find("preview/" + key);
            const auto bare = fps.find("bare_window/" + key);
            if (preview == fps.end() || bare == fps.end() || bare->second <= 0.0) continue;
            const double share = preview->second / bare->second;
            std::printf("ratio preview fps/bare window fps, %s %s: %.2f\n",
                        kSampleCreatureTypes[type], kShadingModeNames[mode], share);
            if (worstName.empty() || share < worstShare) {
                worstShare = share;
                worstName = preview->first;
            }
            if (mode == 0 && (slowestName.empty() || preview->second < slowestSmooth)) {
                slowestSmooth = preview->second;
                slowestName = preview->first;
            }
        }
    }
    const auto empty = fps.find(kBackgroundOnly);
    if (empty != fps.end() && empty->second > 0.0) {
        for (int mode = 0; mode < 3; ++mode) {
            const auto male = fps.find(std::string("preview/Male/") + kShadingModeNames[mode]);
            if (male != fps.end() && male->second > 0.0)
                std::printf("ratio preview Male %s/background only frame: %.2f\n",
                            kShadingModeNames[mode], empty->second / male->second);
        }
    }
    // The goals: every creature in every mode at 0.8 or more of the bare window's frames per
    // second, a frame that draws no part in under 2 ms, smooth shading at 60 fps or more.
    if (!worstName.empty())
        std::printf("lowest preview fps/bare window fps: %s at %.2f (goal: 0.80 or more)\n",
                    worstName.c_str(), worstShare);
    if (empty != fps.end() && empty->second > 0.0)
        std::printf("background-only preview frame: %.2f ms, %.0f fps (goal: under 2 ms)\n",
                    1000.0 / empty->second, empty->second);
    if (!slowestName.empty())
        std::printf("slowest smooth preview: %s at %.1f fps (goal: 60 or more)\n",
                    slowestName.c_str(), slowestSmooth);
    for (const char* kind : {"surface", "surface_moving"}) {
        const auto parts = fps.find(std::string(kind) + "/0");
        if (parts == fps.end() || parts->second <= 0.0) continue;
        for (int level = 1; level <= bw::kMaxSubdivisionLevel; ++level) {
            const auto smooth = fps.find(std::string(kind) + "/" + std::to_string(level));
            if (smooth == fps.end()) continue;
            std::printf("ratio preview fps level %d/level 0, Fantasy smooth%s: %.2f%s\n", level,
                        std::string(kind) == "surface" ? "" : " while an Adjust drag moves points",
                        smooth->second / parts->second, level == 1 ? " (goal: 0.30 or more)" : "");
        }
    }
    const auto posed = fps.find("posing/posed");
    const auto rest = fps.find("posing/rest");
    if (posed != fps.end() && rest != fps.end() && rest->second > 0.0)
        std::printf(
            "ratio posed frame fps/rest frame fps, Fantasy smooth: %.2f (goal: 0.80 or "
            "more)\n",
            posed->second / rest->second);
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
    // Beside the dialog, so that neither window covers the other.
    env.shown->dialog->move(0, 0);
    QCoreApplication::processEvents();
    const QRect dialogFrame = env.shown->dialog->frameGeometry();
    env.arrays->setPosition(dialogFrame.right() + 1, dialogFrame.top());
    bw::bench::FrameCounter bareFrames(*env.arrays);
    env.arrays->show();
    if (bareFrames.Frames() == 0 && !bw::bench::WaitForFrame(bareFrames, 10000)) {
        std::fprintf(stderr, "preview_draw_bench: the bare window presented no frame\n");
        return 1;
    }
    if (env.arrays->geometry().intersects(dialogFrame) ||
        !env.arrays->screen()->geometry().contains(env.arrays->geometry()))
        std::printf(
            "note: the bare window does not fit beside the dialog on this screen; "
            "run with a screen of 1920 x 1080 or more\n");
    environment = &env;

    // What is measured on: the preview's size and the GL implementation.
    preview->makeCurrent();
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    std::printf("preview: %d x %d logical pixels, device pixel ratio %.2f; GL: %s, %s\n",
                preview->width(), preview->height(), preview->devicePixelRatio(),
                renderer ? renderer : "?", version ? version : "?");
    preview->doneCurrent();

    for (int type = 0; type < int(kSampleCreatureTypes.size()); ++type) {
        for (int mode = 0; mode < 3; ++mode) {
            const std::string name = std::string("preview_and_bare_window/") +
                                     kSampleCreatureTypes[type] + "/" + kShadingModeNames[mode];
            benchmark::RegisterBenchmark(name.c_str(),
                                         [=](benchmark::State& s) { DrawInTurns(s, type, mode); })
                ->UseRealTime()
                ->MinTime(kMinSeconds)
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::RegisterBenchmark("preview/posed_and_rest/Fantasy/smooth",
                                 [](benchmark::State& s) { PoseInTurns(s); })
        ->UseRealTime()
        ->MinTime(kMinSeconds)
        ->Unit(benchmark::kMillisecond);
    for (const bool moving : {false, true}) {
        benchmark::RegisterBenchmark(
            moving ? "preview/surface_levels_moving/Fantasy/smooth"
                   : "preview/surface_levels/Fantasy/smooth",
            [moving](benchmark::State& s) { SurfaceLevelsInTurns(s, moving); })
            ->UseRealTime()
            ->MinTime(kMinSeconds)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark(kBackgroundOnly.c_str(),
                                 [](benchmark::State& s) { DrawBackgroundOnly(s); })
        ->UseRealTime()
        ->MinTime(kMinSeconds)
        ->Unit(benchmark::kMillisecond);
    const int status = bw::bench::RunBenchmarksWithRatios(argc, argv, {});
    ReportRatiosAndGoals(env.framesPerSecond);
    environment = nullptr;
    return status;
}
