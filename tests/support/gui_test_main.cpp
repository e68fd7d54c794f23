// main() of the GUI tests: a QApplication around the GoogleTest run, with a thumbnail cache of
// its own. Listing the tests (as the
// build's test discovery does) needs no display, so no application is made for it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSurfaceFormat>
#include <QTemporaryDir>

#include "render/ui/preview_view.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    QSurfaceFormat::setDefaultFormat(bw::PreviewView::RequestedFormat());
    // The lists' pictures go to a cache of the run's own, never the user's.
    const QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
