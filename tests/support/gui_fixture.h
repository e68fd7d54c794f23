// Builds the real main dialog for GUI tests: a fresh start directory with a bw.cfg, the
// recording notifier and the real file enumerator.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/ui/main_dialog.h"
#include "model/file_enumerator.h"
#include "support/object_file_builder.h"
#include "support/recording_notifier.h"
#include "support/recording_platform.h"

class QAbstractButton;
class QString;
class QWidget;

namespace bw::test {

// The sample library the build wrote.
std::string SampleLibraryDirectory();

// Makes `window` the application's active window at once, so focus changes reach its
// controls. Xvfb has no window manager: asking the window system for activation and waiting
// for it is never sure to succeed.
void MakeActiveWindow(QWidget& window);

// The button of `window` with the accessible name `name`; null, failing the test, for none.
QAbstractButton* ButtonNamed(QWidget& window, const QString& name);

class MainDialogFixture {
  public:
    // bw.cfg in the start directory names `objectDirectory` (none written when it is null).
    // The preview's OpenGL set-up is probed on the display unless `openGl` gives it.
    explicit MainDialogFixture(const char* objectDirectory,
                               std::optional<OpenGlSetup> openGl = std::nullopt);
    ~MainDialogFixture();

    MainDialog& Dialog() { return *dialog_; }
    // Builds the dialog (once) and shows it.
    MainDialog& Show();
    MainDialogPlatform Platform();

    TemporaryDirectory start;
    RecordingNotifier notifier;
    DirectoryFileEnumerator files;
    RecordingFileDialogs fileDialogs;
    RecordingColourChooser colourChooser;
    RecordingShellOpener shell;
    CountingRandom random;
    std::optional<OpenGlSetup> openGl;

  private:
    std::unique_ptr<MainDialog> dialog_;
};

}  // namespace bw::test
