// Compares a rendered image with a committed baseline, tests/baselines/<name>.png.
//
// Tolerance: a pixel differs when any channel differs by more than `channelTolerance` (software
// rasterisers differ by a level or two at edges); the images match when at most
// `differingFraction` of the pixels differ. When the baseline is missing or the images do not
// match, the actual image is written to <build>/test-output/<name>.png, so a person can look at
// it and, if it is right, copy it over the baseline.
#pragma once

#include <QImage>
#include <string>

namespace bw::test {

struct RenderTolerance {
    int channelTolerance = 8;
    double differingFraction = 0.005;
};

// Empty when the image matches its baseline; otherwise what differs and where the actual image
// was written.
std::string CompareWithBaseline(const QImage& actual, const std::string& name,
                                RenderTolerance tolerance = {});

// Pixels of `image` within `channelTolerance` levels of (r, g, b) in every channel.
int CountColour(const QImage& image, int r, int g, int b, int channelTolerance);

// Where actual images go.
std::string TestOutputDirectory();

}  // namespace bw::test
