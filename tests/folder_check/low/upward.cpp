// Uses the folder above it, which the table forbids.
#include "low/base.h"
#include "high/top.h"
