// Fixture of the layer include check: a render source may use OpenGL but reaches Qt through
// a header found from the source root.
#include <GL/gl.h>

#include "nested/uses_qt.h"
