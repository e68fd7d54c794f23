// The matrix, viewport and projection entry points the converter drawing calls, added to the
// recording OpenGL double of the creature drawing (render/recording_gl.h): calls are recorded
// there, and the matrix stacks are kept here so that the projection of points is real.
#pragma once

#include <GL/gl.h>

#include <array>
#include <vector>

namespace bw::test {

using Matrix4 = std::array<double, 16>;  // column major, as OpenGL keeps it

struct RecordingMatrices {
    static RecordingMatrices& Instance();
    // Identity matrices, empty stacks, the viewport (0, 0, 200, 100).
    void Reset();

    GLenum mode = GL_MODELVIEW;
    Matrix4 modelView;
    Matrix4 projection;
    std::vector<Matrix4> modelViewStack;
    std::vector<Matrix4> projectionStack;
    std::array<GLint, 4> viewport{0, 0, 200, 100};
    float pointSize = 1.0f;
};

}  // namespace bw::test
