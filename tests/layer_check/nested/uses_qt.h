#pragma once
#include "plain.h"
#include <QString>
