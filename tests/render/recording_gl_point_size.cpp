// glPointSize for the creature drawing's recording double. Kept apart from recording_gl.cpp
// because the converter's recording double, linked with that file, has its own.
#include <GL/gl.h>

#include "render/recording_gl.h"

extern "C" void glPointSize(GLfloat size) {
    bw::test::RecordingGl::Instance().calls.push_back({"glPointSize", {size}});
}
