#include "app/ui/application.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTimer>

#include "app/configuration.h"
#include "app/ui/main_dialog.h"
#include "model/file_enumerator.h"
#include "platform/ui/qt_notifier.h"
#include "platform/ui/qt_platform_dialogs.h"
#include "platform/ui/termination_signal.h"
#include "render/ui/opengl_probe.h"
#include "render/ui/preview_view.h"
#include "ui/product_name.h"

namespace bw {
namespace {

// Ends every modal loop above `dialog`, innermost first, as their close boxes would, then
// `dialog`'s own.
void CloseModalStack(QDialog& dialog) {
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (modal == &dialog) break;
        if (auto* inner = qobject_cast<QDialog*>(modal))
            inner->reject();
        else
            modal->close();
        if (QApplication::activeModalWidget() == modal) break;  // it refused to close
    }
    if (dialog.isVisible()) dialog.reject();
}

}  // namespace

int Application::Run(int argc, char** argv) {
    // The preview and the context probe share one default format.
    QSurfaceFormat::setDefaultFormat(PreviewView::RequestedFormat());
    QApplication app(argc, argv);
    QApplication::setApplicationName(kApplicationName);
    // A three-dimensional look for the standard controls on every desktop.
    if (QStyle* style = QStyleFactory::create("Fusion")) QApplication::setStyle(style);

    const std::string startDirectory = CaptureStartDirectory();
    QtNotifier notifier;
    DirectoryFileEnumerator files;
    QtFileDialogs fileDialogs;
    QtColourChooser colourChooser;
    QtShellOpener shell;
    ClockSeededRandom random;
    const MainDialogPlatform platform{notifier, files,  fileDialogs, colourChooser,
                                      shell,    random, &ProbeOpenGl};
    RunMainDialog(platform, startDirectory);
    return 0;
}

int RunMainDialog(const MainDialogPlatform& platform, const std::string& startDirectory) {
    // SIGTERM ends the program as the close box would, with its configuration written. The
    // handler is in place before the dialog makes its first window; a signal that comes before
    // the dialog's loop runs is answered as soon as it does. Closing a message box may let the
    // code that showed it go on to show another, so the closing repeats from the event loop
    // until the dialog's own loop has ended.
    TerminationSignal termination;
    MainDialog dialog(platform, startDirectory);
    QTimer closing;
    closing.setInterval(10);
    QObject::connect(&closing, &QTimer::timeout, &dialog, [&dialog] { CloseModalStack(dialog); });
    auto closeDialog = [&dialog, &closing] {
        dialog.EndOnSignal();
        CloseModalStack(dialog);
        closing.start();
    };
    QObject::connect(&termination, &TerminationSignal::Received, &dialog, closeDialog);
    if (termination.WasReceived()) closeDialog();  // during the dialog's construction
    // A creature the last run wrote as it ended on a signal is offered once the window is up.
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.OfferRecoveredCreature(); });
    const int result = dialog.exec();
    closing.stop();  // a message about writing the configuration stays open
    WriteConfigurationFile(dialog.CurrentConfiguration(), platform.notifier);
    return result;
}

}  // namespace bw
