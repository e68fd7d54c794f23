// Every fuzz target source defines both functions: the libFuzzer entry point and the seed
// inputs that code generates (written to the seed corpus and replayed by ctest).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
std::vector<std::string> BwFuzzSeeds();
