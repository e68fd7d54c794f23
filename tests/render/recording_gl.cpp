#include "render/recording_gl.h"

#include <algorithm>
#include <initializer_list>
#include <limits>

namespace bw::test {

RecordingGl& RecordingGl::Instance() {
    static RecordingGl instance;
    return instance;
}

void RecordingGl::Reset() { *this = RecordingGl{}; }

int RecordingGl::Count(const std::string& name) const {
    return int(
        std::count_if(calls.begin(), calls.end(), [&](const GlCall& c) { return c.name == name; }));
}

std::vector<GlCall> RecordingGl::CallsNamed(const std::string& name) const {
    std::vector<GlCall> out;
    for (const GlCall& c : calls)
        if (c.name == name) out.push_back(c);
    return out;
}

bool RecordingGl::IsEnabled(GLenum capability) const {
    const auto it = enabled.find(capability);
    return it != enabled.end() && it->second;
}

namespace {

RecordingGl& Gl() { return RecordingGl::Instance(); }

// Records the call; false (and an error) when it is not allowed between glBegin and glEnd.
bool Record(const char* name, std::initializer_list<double> args, bool allowedInsideBegin) {
    RecordingGl& gl = Gl();
    gl.calls.push_back({name, std::vector<double>(args)});
    if (gl.insideBegin && !allowedInsideBegin) {
        gl.errors.push_back(std::string(name) + " between glBegin and glEnd");
        return false;
    }
    return true;
}

void SetCapability(GLenum capability, bool on) {
    RecordingGl& gl = Gl();
    gl.enabled[capability] = on;
    switch (capability) {
        case GL_LIGHTING:
            gl.state.lighting = on;
            break;
        case GL_LIGHT0:
            gl.state.light0 = on;
            break;
        case GL_CULL_FACE:
            gl.state.cullFace = on;
            break;
        case GL_POLYGON_OFFSET_LINE:
            gl.state.offsetLine = on;
            break;
        default:
            break;
    }
}

void SetMaterial(GLenum face, GLenum pname, const GLfloat* v) {
    RecordingGl& gl = Gl();
    const Float4 value{v[0], v[1], v[2], v[3]};
    const bool front = face == GL_FRONT || face == GL_FRONT_AND_BACK;
    const bool back = face == GL_BACK || face == GL_FRONT_AND_BACK;
    const bool ambient = pname == GL_AMBIENT || pname == GL_AMBIENT_AND_DIFFUSE;
    const bool diffuse = pname == GL_DIFFUSE || pname == GL_AMBIENT_AND_DIFFUSE;
    if (front && ambient) gl.state.frontAmbient = value;
    if (front && diffuse) gl.state.frontDiffuse = value;
    if (back && ambient) gl.backAmbient = value;
    if (back && diffuse) gl.backDiffuse = value;
}

// Number of values a glMaterialfv or glLightfv parameter takes.
int ValueCount(GLenum pname) {
    switch (pname) {
        case GL_SHININESS:
        case GL_SPOT_EXPONENT:
        case GL_SPOT_CUTOFF:
        case GL_CONSTANT_ATTENUATION:
        case GL_LINEAR_ATTENUATION:
        case GL_QUADRATIC_ATTENUATION:
            return 1;
        case GL_SPOT_DIRECTION:
        case GL_COLOR_INDEXES:
            return 3;
        default:
            return 4;
    }
}

// Float triple `index` of an array given with `stride` bytes (0: tightly packed).
Float3 ArrayElement(const GLfloat* base, GLsizei stride, std::size_t index) {
    const std::size_t step = stride == 0 ? 3 * sizeof(GLfloat) : std::size_t(stride);
    const auto* element =
        reinterpret_cast<const GLfloat*>(reinterpret_cast<const char*>(base) + index * step);
    return {element[0], element[1], element[2]};
}

// Appends the vertices of one array draw as the primitives glBegin(mode)/glEnd would have made:
// one per four vertices for quads, one in all for other modes.
void DrawFromArrays(const char* name, GLenum mode, const std::vector<std::size_t>& indices) {
    RecordingGl& gl = Gl();
    if (!gl.vertexArray || gl.vertexPointer == nullptr) {
        gl.errors.push_back(std::string(name) + " without a vertex array");
        return;
    }
    if (gl.normalArray && gl.normalPointer == nullptr) {
        gl.errors.push_back(std::string(name) + " with an enabled normal array but no pointer");
        return;
    }
    const std::size_t perPrimitive = mode == GL_QUADS ? 4 : indices.size();
    for (std::size_t k = 0; k < indices.size(); ++k) {
        if (perPrimitive == 0 || k % perPrimitive == 0)
            gl.primitives.push_back({mode, gl.state, {}});
        const Float3 normal = gl.normalArray
                                  ? ArrayElement(gl.normalPointer, gl.normalStride, indices[k])
                                  : gl.normal;
        gl.primitives.back().vertices.push_back(
            {ArrayElement(gl.vertexPointer, gl.vertexStride, indices[k]), normal});
    }
    if (gl.normalArray) gl.normal.fill(std::numeric_limits<float>::quiet_NaN());
}

void SetClientState(const char* name, GLenum array, bool on) {
    if (!Record(name, {double(array)}, false)) return;
    RecordingGl& gl = Gl();
    if (array == GL_VERTEX_ARRAY)
        gl.vertexArray = on;
    else if (array == GL_NORMAL_ARRAY)
        gl.normalArray = on;
    else
        gl.errors.push_back(std::string(name) + " of an array the double does not follow");
}

}  // namespace
}  // namespace bw::test

using bw::test::Gl;
using bw::test::Record;

extern "C" {

void glBegin(GLenum mode) {
    if (!Record("glBegin", {double(mode)}, false)) return;
    auto& gl = Gl();
    gl.insideBegin = true;
    gl.primitives.push_back({mode, gl.state, {}});
}

void glEnd() {
    auto& gl = Gl();
    gl.calls.push_back({"glEnd", {}});
    if (!gl.insideBegin) {
        gl.errors.push_back("glEnd without glBegin");
        return;
    }
    gl.insideBegin = false;
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    Record("glNormal3f", {x, y, z}, true);
    Gl().normal = {x, y, z};
}

void glNormal3fv(const GLfloat* v) {
    Record("glNormal3fv", {v[0], v[1], v[2]}, true);
    Gl().normal = {v[0], v[1], v[2]};
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    Record("glVertex3f", {x, y, z}, true);
    auto& gl = Gl();
    if (!gl.insideBegin) {
        gl.errors.push_back("glVertex3f outside glBegin and glEnd");
        return;
    }
    gl.primitives.back().vertices.push_back({{x, y, z}, gl.normal});
}

void glVertex3fv(const GLfloat* v) { glVertex3f(v[0], v[1], v[2]); }

void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    Record("glColor3f", {r, g, b}, true);
    Gl().state.colour = {r, g, b, 1.0f};
}

void glColor3fv(const GLfloat* v) {
    Record("glColor3fv", {v[0], v[1], v[2]}, true);
    Gl().state.colour = {v[0], v[1], v[2], 1.0f};
}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) {
    const int n = bw::test::ValueCount(pname);
    GLfloat v[4] = {params[0], n > 1 ? params[1] : 0.0f, n > 2 ? params[2] : 0.0f,
                    n > 3 ? params[3] : 0.0f};
    Record("glMaterialfv", {double(face), double(pname), v[0], v[1], v[2], v[3]}, true);
    bw::test::SetMaterial(face, pname, v);
}

void glMaterialf(GLenum face, GLenum pname, GLfloat param) {
    Record("glMaterialf", {double(face), double(pname), param}, true);
}

void glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
    const int n = bw::test::ValueCount(pname);
    const bw::test::Float4 v{params[0], n > 1 ? params[1] : 0.0f, n > 2 ? params[2] : 0.0f,
                             n > 3 ? params[3] : 0.0f};
    if (!Record("glLightfv", {double(light), double(pname), v[0], v[1], v[2], v[3]}, false)) return;
    if (light == GL_LIGHT0) Gl().light0[pname] = v;
}

void glEnable(GLenum capability) {
    if (Record("glEnable", {double(capability)}, false)) bw::test::SetCapability(capability, true);
}

void glDisable(GLenum capability) {
    if (Record("glDisable", {double(capability)}, false))
        bw::test::SetCapability(capability, false);
}

void glShadeModel(GLenum mode) {
    if (Record("glShadeModel", {double(mode)}, false)) Gl().state.shadeModel = mode;
}

void glPolygonMode(GLenum face, GLenum mode) {
    if (!Record("glPolygonMode", {double(face), double(mode)}, false)) return;
    auto& s = Gl().state;
    if (face == GL_FRONT || face == GL_FRONT_AND_BACK) s.polygonModeFront = mode;
    if (face == GL_BACK || face == GL_FRONT_AND_BACK) s.polygonModeBack = mode;
}

void glCullFace(GLenum mode) {
    if (Record("glCullFace", {double(mode)}, false)) Gl().state.cullFaceMode = mode;
}

void glPolygonOffset(GLfloat factor, GLfloat units) {
    if (!Record("glPolygonOffset", {factor, units}, false)) return;
    Gl().state.offsetFactor = factor;
    Gl().state.offsetUnits = units;
}

void glEnableClientState(GLenum array) {
    bw::test::SetClientState("glEnableClientState", array, true);
}

void glDisableClientState(GLenum array) {
    bw::test::SetClientState("glDisableClientState", array, false);
}

void glVertexPointer(GLint size, GLenum type, GLsizei stride, const void* pointer) {
    if (!Record("glVertexPointer", {double(size), double(type), double(stride)}, false)) return;
    if (size != 3 || type != GL_FLOAT)
        Gl().errors.push_back("glVertexPointer not of float triples");
    Gl().vertexPointer = static_cast<const GLfloat*>(pointer);
    Gl().vertexStride = stride;
}

void glNormalPointer(GLenum type, GLsizei stride, const void* pointer) {
    if (!Record("glNormalPointer", {double(type), double(stride)}, false)) return;
    if (type != GL_FLOAT) Gl().errors.push_back("glNormalPointer not of floats");
    Gl().normalPointer = static_cast<const GLfloat*>(pointer);
    Gl().normalStride = stride;
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    if (!Record("glDrawArrays", {double(mode), double(first), double(count)}, false)) return;
    std::vector<std::size_t> indices;
    for (GLsizei i = 0; i < count; ++i) indices.push_back(std::size_t(first + i));
    bw::test::DrawFromArrays("glDrawArrays", mode, indices);
}

void glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* elements) {
    if (!Record("glDrawElements", {double(mode), double(count), double(type)}, false)) return;
    if (type != GL_UNSIGNED_SHORT) {
        Gl().errors.push_back("glDrawElements with indices the double does not read");
        return;
    }
    const auto* shorts = static_cast<const GLushort*>(elements);
    bw::test::DrawFromArrays("glDrawElements", mode,
                             std::vector<std::size_t>(shorts, shorts + count));
}

void glGetFloatv(GLenum pname, GLfloat* data) {
    if (!Record("glGetFloatv", {double(pname)}, false)) return;
    if (pname != GL_CURRENT_NORMAL) {
        Gl().errors.push_back("glGetFloatv of a value the double does not follow");
        return;
    }
    const auto& n = Gl().normal;
    data[0] = n[0];
    data[1] = n[1];
    data[2] = n[2];
}

}  // extern "C"
