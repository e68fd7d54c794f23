// Reaches into a front end beside the sources, which no layer may do.
#include "front/commands.h"
