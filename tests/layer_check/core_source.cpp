// Fixture of the layer include check: a core source that reaches OpenGL through a header.
#include <vector>

#include "uses_gl.h"
