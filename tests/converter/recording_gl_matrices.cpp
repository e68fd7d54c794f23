#include "converter/recording_gl_matrices.h"

#include <GL/glu.h>

#include <cmath>

#include "render/recording_gl.h"

namespace bw::test {
namespace {

constexpr Matrix4 kIdentity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

RecordingMatrices& M() { return RecordingMatrices::Instance(); }

void Record(const char* name, std::initializer_list<double> args) {
    RecordingGl& gl = RecordingGl::Instance();
    gl.calls.push_back({name, std::vector<double>(args)});
    if (gl.insideBegin) gl.errors.push_back(std::string(name) + " between glBegin and glEnd");
}

Matrix4& Current() { return M().mode == GL_PROJECTION ? M().projection : M().modelView; }

// current = current * m
void MultiplyCurrent(const Matrix4& m) {
    const Matrix4 c = Current();
    Matrix4 r{};
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += c[std::size_t(k * 4 + row)] * m[std::size_t(col * 4 + k)];
            r[std::size_t(col * 4 + row)] = sum;
        }
    Current() = r;
}

void Transform(const Matrix4& m, const double in[4], double out[4]) {
    for (int row = 0; row < 4; ++row) {
        out[row] = 0;
        for (int k = 0; k < 4; ++k) out[row] += m[std::size_t(k * 4 + row)] * in[k];
    }
}

}  // namespace

RecordingMatrices& RecordingMatrices::Instance() {
    static RecordingMatrices instance;
    return instance;
}

void RecordingMatrices::Reset() {
    *this = RecordingMatrices{};
    modelView = kIdentity;
    projection = kIdentity;
}

}  // namespace bw::test

using bw::test::M;
using bw::test::Matrix4;
using bw::test::Record;

extern "C" {

void glMatrixMode(GLenum mode) {
    Record("glMatrixMode", {double(mode)});
    M().mode = mode;
}

void glPushMatrix() {
    Record("glPushMatrix", {});
    auto& stack = M().mode == GL_PROJECTION ? M().projectionStack : M().modelViewStack;
    stack.push_back(bw::test::Current());
}

void glPopMatrix() {
    Record("glPopMatrix", {});
    auto& stack = M().mode == GL_PROJECTION ? M().projectionStack : M().modelViewStack;
    if (stack.empty()) {
        bw::test::RecordingGl::Instance().errors.push_back("glPopMatrix on an empty stack");
        return;
    }
    bw::test::Current() = stack.back();
    stack.pop_back();
}

void glLoadIdentity() {
    Record("glLoadIdentity", {});
    bw::test::Current() = bw::test::kIdentity;
}

void glScalef(GLfloat x, GLfloat y, GLfloat z) {
    Record("glScalef", {x, y, z});
    bw::test::MultiplyCurrent({x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1});
}

void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
    Record("glTranslated", {x, y, z});
    bw::test::MultiplyCurrent({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1});
}

void glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
    Record("glOrtho", {l, r, b, t, n, f});
    if (l == r || b == t || n == f) {
        bw::test::RecordingGl::Instance().errors.push_back("glOrtho with an empty box");
        return;
    }
    bw::test::MultiplyCurrent({2 / (r - l), 0, 0, 0, 0, 2 / (t - b), 0, 0, 0, 0, -2 / (f - n), 0,
                               -(r + l) / (r - l), -(t + b) / (t - b), -(f + n) / (f - n), 1});
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    Record("gluPerspective", {fovy, aspect, zNear, zFar});
    const double f = 1.0 / std::tan(fovy * 3.14159265358979323846 / 360.0);
    bw::test::MultiplyCurrent({f / aspect, 0, 0, 0, 0, f, 0, 0, 0, 0,
                               (zFar + zNear) / (zNear - zFar), -1, 0, 0,
                               2 * zFar * zNear / (zNear - zFar), 0});
}

void glGetIntegerv(GLenum pname, GLint* data) {
    Record("glGetIntegerv", {double(pname)});
    if (pname == GL_VIEWPORT)
        for (int i = 0; i < 4; ++i) data[i] = M().viewport[std::size_t(i)];
}

void glGetDoublev(GLenum pname, GLdouble* data) {
    Record("glGetDoublev", {double(pname)});
    const Matrix4& m = pname == GL_PROJECTION_MATRIX ? M().projection : M().modelView;
    for (int i = 0; i < 16; ++i) data[i] = m[std::size_t(i)];
}

GLint gluProject(GLdouble x, GLdouble y, GLdouble z, const GLdouble* model, const GLdouble* proj,
                 const GLint* view, GLdouble* wx, GLdouble* wy, GLdouble* wz) {
    Matrix4 mv, pr;
    for (int i = 0; i < 16; ++i) {
        mv[std::size_t(i)] = model[i];
        pr[std::size_t(i)] = proj[i];
    }
    const double in[4] = {x, y, z, 1};
    double eye[4], clip[4];
    bw::test::Transform(mv, in, eye);
    bw::test::Transform(pr, eye, clip);
    if (clip[3] == 0.0) return GL_FALSE;
    *wx = view[0] + view[2] * (clip[0] / clip[3] + 1) / 2;
    *wy = view[1] + view[3] * (clip[1] / clip[3] + 1) / 2;
    *wz = (clip[2] / clip[3] + 1) / 2;
    return GL_TRUE;
}

void glPointSize(GLfloat size) {
    Record("glPointSize", {size});
    M().pointSize = size;
}

void glNormal3d(GLdouble x, GLdouble y, GLdouble z) {
    bw::test::RecordingGl::Instance().calls.push_back({"glNormal3d", {x, y, z}});
    bw::test::RecordingGl::Instance().normal = {float(x), float(y), float(z)};
}

}  // extern "C"
