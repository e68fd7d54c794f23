#include "low/base.h"
