// main() of the GUI tests: a QApplication around the GoogleTest run. Listing the tests (as the
// build's test discovery does) needs no display, so no application is made for it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSurfaceFormat>

#include "render/ui/preview_view.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    QSurfaceFormat::setDefaultFormat(bw::PreviewView::RequestedFormat());
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
