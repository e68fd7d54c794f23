// A recording double of the OpenGL entry points the creature drawing calls, linked in place of
// libGL. It keeps every call in order and follows the state a fixed-function driver would keep
// (enabled capabilities, current normal and colour, material, light 0, polygon mode, culling,
// polygon offset), so a test asserts both the calls and the state they leave.
//
// Every quadrilateral drawn is kept with the state in force at its glBegin (or draw call) and,
// per vertex, its normal: the current one, or the normal array's when that is enabled. A draw
// call from client-side arrays is kept as the primitives glBegin/glEnd would have made, and
// leaves the current normal undefined (NaN) when it used the normal array, as a driver may. Calls
// that a driver refuses inside glBegin/glEnd, a glBegin inside another, and a glEnd without glBegin
// are kept as errors instead of being applied.
#pragma once

#include <GL/gl.h>

#include <array>
#include <map>
#include <string>
#include <vector>

namespace bw::test {

using Float3 = std::array<float, 3>;
using Float4 = std::array<float, 4>;

struct GlCall {
    std::string name;          // "glMaterialfv"
    std::vector<double> args;  // enums and values in call order; arrays expanded
};

struct GlVertex {
    Float3 position;
    Float3 normal;  // the current normal when the vertex was given
};

// The state in force when a primitive was begun.
struct GlDrawState {
    bool lighting = false;
    bool light0 = false;
    bool cullFace = false;
    GLenum cullFaceMode = GL_BACK;
    bool offsetLine = false;
    float offsetFactor = 0.0f;
    float offsetUnits = 0.0f;
    GLenum polygonModeFront = GL_FILL;
    GLenum polygonModeBack = GL_FILL;
    GLenum shadeModel = GL_SMOOTH;
    Float4 colour{1.0f, 1.0f, 1.0f, 1.0f};
    Float4 frontAmbient{0.2f, 0.2f, 0.2f, 1.0f};
    Float4 frontDiffuse{0.8f, 0.8f, 0.8f, 1.0f};
};

struct GlPrimitive {
    GLenum mode = 0;
    GlDrawState state;
    std::vector<GlVertex> vertices;
};

class RecordingGl {
  public:
    static RecordingGl& Instance();
    // Back to a fresh context's state with nothing recorded.
    void Reset();

    // Number of recorded calls of that name.
    int Count(const std::string& name) const;
    // The recorded calls of that name, in order.
    std::vector<GlCall> CallsNamed(const std::string& name) const;

    std::vector<GlCall> calls;
    std::vector<GlPrimitive> primitives;
    std::vector<std::string> errors;

    // Current state.
    std::map<GLenum, bool> enabled;  // capabilities ever enabled or disabled
    GlDrawState state;
    Float3 normal{0.0f, 0.0f, 1.0f};
    Float4 backAmbient{0.2f, 0.2f, 0.2f, 1.0f};
    Float4 backDiffuse{0.8f, 0.8f, 0.8f, 1.0f};
    std::map<GLenum, Float4> light0;  // GL_POSITION, GL_AMBIENT, ... as last given
    bool insideBegin = false;
    // Client-side arrays: enabled state and the pointers last given (float triples only).
    bool vertexArray = false;
    bool normalArray = false;
    const GLfloat* vertexPointer = nullptr;
    const GLfloat* normalPointer = nullptr;
    GLsizei vertexStride = 0;
    GLsizei normalStride = 0;

    bool IsEnabled(GLenum capability) const;
};

}  // namespace bw::test
