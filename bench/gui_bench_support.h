// Shared set-up of the window benchmarks: the Qt application made as the beastwright
// executable makes it, the sample library the build wrote, a start directory holding a bw.cfg,
// the main dialog shown on it, the sample projects loaded into a creature, and a count of the
// frames a GL window presents.
#pragma once

#include <QApplication>
#include <QOpenGLWindow>
#include <array>
#include <memory>
#include <string>

#include "app/ui/main_dialog.h"
#include "model/creature.h"
#include "model/file_enumerator.h"
#include "model/notifier.h"
#include "platform/ui/qt_platform_dialogs.h"
#include "select/random_source.h"

namespace bw::bench {

// The creature types of the sample library; each has one sample project "<type>.bwp".
inline constexpr std::array<const char*, 5> kSampleCreatureTypes{"Fantasy", "Female", "Insect",
                                                                 "Male", "Manga"};
inline constexpr std::array<const char*, 3> kShadingModeNames{"smooth", "flat", "wireframe"};

// The background colour the benchmarks' bw.cfg sets: red, green, blue from 0 to 1, chosen so
// that in 8 bits (51, 102, 153) it appears nowhere else in the window.
inline constexpr std::array<float, 3> kBenchBackground{0.2f, 0.4f, 0.6f};

// <build>/share/beastwright and its Objects/Library.
std::string SampleShareDirectory();
std::string SampleLibraryDirectory();

// bw.cfg text naming the sample library and projects, kBenchBackground and a green wire colour.
std::string SampleConfigurationText();
// A new directory under the temporary directory holding bw.cfg with `configText`; removed
// when the process exits normally. Aborts when it cannot be made.
std::string MakeStartDirectory(const std::string& configText);

// Counts the messages instead of showing them; the benchmarks fail when any was shown.
class CountingNotifier : public Notifier {
  public:
    MessageResult ShowMessage(const std::string& text, const std::string& caption, MessageIcon,
                              MessageButtons) override;
    int shown = 0;
    std::string lastText;  // "caption: text" of the last message
};

// The default surface format, the QApplication and the style, as the program sets them up.
std::unique_ptr<QApplication> MakeApplication(int& argc, char** argv);

// Counts the frames `window` presented (QOpenGLWindow::frameSwapped) while both live.
class FrameCounter {
  public:
    explicit FrameCounter(QOpenGLWindow& window);
    long Frames() const { return *frames_; }

  private:
    std::shared_ptr<long> frames_ = std::make_shared<long>(0);
};

// User and system CPU time of this whole process so far (every thread, the GL driver's
// rendering threads included; the X server's work is not), in seconds.
double ProcessCpuSeconds();

// Processes events until `counter` has seen a frame or `timeoutMs` passed; false on timeout.
bool WaitForFrame(const FrameCounter& counter, int timeoutMs);

// The main dialog on the sample library, shown, its preview having presented a frame. Null
// (with `why` set) when the dialog got no preview or the preview never presented a frame.
struct ShownDialog {
    CountingNotifier notifier;
    DirectoryFileEnumerator files;
    QtFileDialogs fileDialogs;  // the program's own; no benchmark opens them
    QtColourChooser colourChooser;
    QtShellOpener shell;
    ClockSeededRandom random;
    std::string startDirectory;
    std::unique_ptr<MainDialog> dialog;
};
std::unique_ptr<ShownDialog> ShowMainDialog(std::string* why);

// Loads the sample project of `type` (one of kSampleCreatureTypes) into `creature`. False when
// the project did not load or did not give every body part a part.
bool LoadSampleProject(Creature& creature, const std::string& type);

}  // namespace bw::bench
