#include "render/gl/headless_gl_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstring>

namespace bw {

struct HeadlessGlContext::Egl {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
    // The framebuffer object calls, looked up through EGL (OpenGL 3.0 or
    // ARB_framebuffer_object).
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;

    ~Egl() {
        if (display == EGL_NO_DISPLAY) return;
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
        eglTerminate(display);
    }
};

namespace {

template <typename Function>
bool Look(Function& function, const char* name) {
    function = reinterpret_cast<Function>(eglGetProcAddress(name));
    return function != nullptr;
}

}  // namespace

std::unique_ptr<HeadlessGlContext> HeadlessGlContext::Create(int width, int height,
                                                             std::string* reason) {
    const auto fail = [&](const std::string& why) {
        if (reason) *reason = why;
        return nullptr;
    };
    std::unique_ptr<HeadlessGlContext> gl(new HeadlessGlContext());
    gl->egl_ = std::make_unique<Egl>();
    Egl& egl = *gl->egl_;

    const char* extensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (!extensions || !std::strstr(extensions, "EGL_MESA_platform_surfaceless"))
        return fail("EGL has no surfaceless platform (EGL_MESA_platform_surfaceless)");
    PFNEGLGETPLATFORMDISPLAYEXTPROC getPlatformDisplay = nullptr;
    if (!Look(getPlatformDisplay, "eglGetPlatformDisplayEXT"))
        return fail("EGL cannot open a platform display");
    egl.display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0, minor = 0;
    if (egl.display == EGL_NO_DISPLAY || !eglInitialize(egl.display, &major, &minor)) {
        egl.display = EGL_NO_DISPLAY;
        return fail("EGL's surfaceless display does not start");
    }
    if (!eglBindAPI(EGL_OPENGL_API)) return fail("EGL offers no desktop OpenGL");
    // eglChooseConfig looks for window configurations unless told otherwise.
    const EGLint configAttributes[] = {
        EGL_SURFACE_TYPE,    EGL_PBUFFER_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8,
        EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,  EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configs = 0;
    if (!eglChooseConfig(egl.display, configAttributes, &config, 1, &configs) || configs < 1)
        return fail("EGL has no OpenGL configuration");
    egl.context = eglCreateContext(egl.display, config, EGL_NO_CONTEXT, nullptr);
    if (egl.context == EGL_NO_CONTEXT) return fail("EGL cannot create an OpenGL context");
    if (!eglMakeCurrent(egl.display, EGL_NO_SURFACE, EGL_NO_SURFACE, egl.context))
        return fail("the OpenGL context cannot be made current without a surface");

    if (!Look(egl.genFramebuffers, "glGenFramebuffers") ||
        !Look(egl.deleteFramebuffers, "glDeleteFramebuffers") ||
        !Look(egl.bindFramebuffer, "glBindFramebuffer") ||
        !Look(egl.genRenderbuffers, "glGenRenderbuffers") ||
        !Look(egl.deleteRenderbuffers, "glDeleteRenderbuffers") ||
        !Look(egl.bindRenderbuffer, "glBindRenderbuffer") ||
        !Look(egl.renderbufferStorage, "glRenderbufferStorage") ||
        !Look(egl.framebufferRenderbuffer, "glFramebufferRenderbuffer") ||
        !Look(egl.checkFramebufferStatus, "glCheckFramebufferStatus"))
        return fail("OpenGL has no framebuffer objects");
    gl->width_ = width;
    gl->height_ = height;
    egl.genFramebuffers(1, &gl->framebuffer_);
    egl.bindFramebuffer(GL_FRAMEBUFFER, gl->framebuffer_);
    egl.genRenderbuffers(1, &gl->colour_);
    egl.bindRenderbuffer(GL_RENDERBUFFER, gl->colour_);
    egl.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    egl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, gl->colour_);
    egl.genRenderbuffers(1, &gl->depth_);
    egl.bindRenderbuffer(GL_RENDERBUFFER, gl->depth_);
    egl.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    egl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, gl->depth_);
    if (egl.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        return fail("OpenGL cannot draw into a " + std::to_string(width) + " x " +
                    std::to_string(height) + " framebuffer");
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    return gl;
}

HeadlessGlContext::~HeadlessGlContext() {
    if (!egl_ || egl_->context == EGL_NO_CONTEXT) return;
    if (framebuffer_) egl_->deleteFramebuffers(1, &framebuffer_);
    if (colour_) egl_->deleteRenderbuffers(1, &colour_);
    if (depth_) egl_->deleteRenderbuffers(1, &depth_);
}

std::vector<std::uint8_t> HeadlessGlContext::ReadPixels() const {
    const std::size_t row = std::size_t(width_) * 4;
    std::vector<std::uint8_t> bottomUp(row * std::size_t(height_));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glFinish();
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<std::uint8_t> topDown(bottomUp.size());
    for (int y = 0; y < height_; ++y)
        std::copy_n(bottomUp.data() + row * std::size_t(height_ - 1 - y), row,
                    topDown.data() + row * std::size_t(y));
    return topDown;
}

}  // namespace bw
