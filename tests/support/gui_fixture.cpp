#include "support/gui_fixture.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

#include "app/ui/application.h"
#include "render/ui/opengl_probe.h"
#include "render/ui/preview_view.h"

namespace bw::test {

std::string SampleLibraryDirectory() { return BW_SAMPLE_SHARE_DIR "/Objects/Library"; }

void MakeActiveWindow(QWidget& window) { QApplication::setActiveWindow(&window); }

QAbstractButton* ButtonNamed(QWidget& window, const QString& name) {
    for (auto* button : window.findChildren<QAbstractButton*>())
        if (button->accessibleName() == name) return button;
    ADD_FAILURE() << "no button " << name.toStdString();
    return nullptr;
}

MainDialogFixture::MainDialogFixture(const char* objectDirectory, std::optional<OpenGlSetup> openGl)
    : openGl(openGl) {
    if (objectDirectory)
        start.Write("bw.cfg", std::string("ObjectDir ") + objectDirectory +
                                  "\nBgColor 0.1 0.2 0.3 0\nWireColor 0 1 0 0\n");
}

MainDialogFixture::~MainDialogFixture() = default;

MainDialogPlatform MainDialogFixture::Platform() {
    const std::optional<OpenGlSetup> setup = openGl;
    return MainDialogPlatform{notifier, files, fileDialogs, colourChooser, shell, random, [setup] {
                                  return setup ? *setup : ProbeOpenGl();
                              }};
}

MainDialog& MainDialogFixture::Show() {
    if (!dialog_) {
        dialog_ = std::make_unique<MainDialog>(Platform(), start.Path());
        dialog_->show();
        (void)QTest::qWaitForWindowExposed(dialog_.get());
        // The preview is a native window of its own, exposed after the dialog.
        if (PreviewView* preview = dialog_->Preview()) (void)QTest::qWaitForWindowExposed(preview);
    }
    return *dialog_;
}

}  // namespace bw::test
