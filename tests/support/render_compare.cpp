#include "support/render_compare.h"

#include <QColor>
#include <QDir>
#include <algorithm>
#include <cstdlib>

namespace bw::test {

std::string TestOutputDirectory() { return BW_TEST_OUTPUT_DIR; }

std::string CompareWithBaseline(const QImage& actual, const std::string& name,
                                RenderTolerance tolerance) {
    const QString baselinePath =
        QString(BW_BASELINE_DIR) + "/" + QString::fromStdString(name) + ".png";
    QDir().mkpath(BW_TEST_OUTPUT_DIR);
    const QString actualPath =
        QString(BW_TEST_OUTPUT_DIR) + "/" + QString::fromStdString(name) + ".png";
    const QImage image = actual.convertToFormat(QImage::Format_RGB32);
    const QImage baseline = QImage(baselinePath).convertToFormat(QImage::Format_RGB32);
    auto fail = [&](const std::string& why) {
        image.save(actualPath);
        return why + "; actual image written to " + actualPath.toStdString();
    };
    if (baseline.isNull()) return fail("no baseline " + baselinePath.toStdString());
    if (baseline.size() != image.size()) return fail("size differs from the baseline's");
    qint64 differing = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* a = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const QRgb* b = reinterpret_cast<const QRgb*>(baseline.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int d =
                std::max({std::abs(qRed(a[x]) - qRed(b[x])), std::abs(qGreen(a[x]) - qGreen(b[x])),
                          std::abs(qBlue(a[x]) - qBlue(b[x]))});
            if (d > tolerance.channelTolerance) ++differing;
        }
    }
    const double fraction = static_cast<double>(differing) / (image.width() * image.height());
    if (fraction > tolerance.differingFraction)
        return fail(std::to_string(differing) + " pixels differ from the baseline (" +
                    std::to_string(fraction * 100.0) + " %)");
    return {};
}

int CountColour(const QImage& image, int r, int g, int b, int channelTolerance) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += std::abs(c.red() - r) <= channelTolerance &&
                 std::abs(c.green() - g) <= channelTolerance &&
                 std::abs(c.blue() - b) <= channelTolerance;
        }
    return n;
}

}  // namespace bw::test
