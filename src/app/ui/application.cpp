#include "app/ui/application.h"

#include <QApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QStyleFactory>

#include "app/configuration.h"
#include "app/ui/main_dialog.h"
#include "model/file_enumerator.h"
#include "platform/ui/qt_notifier.h"
#include "platform/ui/qt_platform_dialogs.h"
#include "render/ui/preview_view.h"
#include "ui/product_name.h"

namespace bw {

bool OpenGlContextAvailable() {
    QOpenGLContext context;
    context.setFormat(PreviewView::RequestedFormat());
    if (!context.create()) return false;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface)) return false;
    context.doneCurrent();
    return true;
}

int Application::Run(int argc, char** argv) {
    // The preview and the context probe share one default format.
    QSurfaceFormat::setDefaultFormat(PreviewView::RequestedFormat());
    QApplication app(argc, argv);
    QApplication::setApplicationName(kApplicationName);
    QApplication::setApplicationDisplayName(kApplicationName);
    // A three-dimensional look for the standard controls on every desktop.
    if (QStyle* style = QStyleFactory::create("Fusion")) QApplication::setStyle(style);

    const std::string startDirectory = CaptureStartDirectory();
    QtNotifier notifier;
    DirectoryFileEnumerator files;
    QtFileDialogs fileDialogs;
    QtColourChooser colourChooser;
    QtShellOpener shell;
    ClockSeededRandom random;
    const MainDialogPlatform platform{
        notifier, files, fileDialogs, colourChooser, shell, random, &OpenGlContextAvailable};
    RunMainDialog(platform, startDirectory);
    return 0;
}

int RunMainDialog(const MainDialogPlatform& platform, const std::string& startDirectory) {
    MainDialog dialog(platform, startDirectory);
    const int result = dialog.exec();
    WriteConfigurationFile(dialog.CurrentConfiguration(), platform.notifier);
    return result;
}

}  // namespace bw
