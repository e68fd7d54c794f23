#pragma once
#include "plain.h"
#  include <GL/gl.h>
