// Runs a fuzz target, built without libFuzzer, over its generated seeds and every file in the
// directories given as arguments (the kept crashers). A crash or sanitizer report fails the test.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "fuzz_target.h"

namespace {
void Run(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}
}  // namespace

int main(int argc, char** argv) {
    int n = 0;
    for (const std::string& seed : BwFuzzSeeds()) {
        Run(seed);
        ++n;
    }
    for (int i = 1; i < argc; ++i) {
        if (!std::filesystem::is_directory(argv[i])) continue;
        for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
            if (!entry.is_regular_file()) continue;
            std::ifstream in(entry.path(), std::ios::binary);
            Run(std::string(std::istreambuf_iterator<char>(in), {}));
            ++n;
        }
    }
    std::cout << "replayed " << n << " inputs\n";
    return 0;
}
