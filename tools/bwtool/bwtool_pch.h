// The heavy header-only libraries bwtool's commands include (the JSON library and the
// command-line parser), compiled once for the tool (a precompiled header of bwtool). A source
// still includes what it uses; clang-tidy reads the sources without this header.
#pragma once

#include <CLI/CLI.hpp>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>
