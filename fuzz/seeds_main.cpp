// Writes a fuzz target's generated seed inputs into the directory given as argument.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "fuzz_target.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " DIRECTORY\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    int n = 0;
    for (const std::string& seed : BwFuzzSeeds()) {
        std::ofstream(dir / ("seed-" + std::to_string(n++)), std::ios::binary) << seed;
    }
    std::cout << "wrote " << n << " seeds to " << dir << "\n";
    return 0;
}
