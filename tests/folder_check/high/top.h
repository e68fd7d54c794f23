#pragma once
#include "low/base.h"
