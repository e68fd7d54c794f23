#include "start_configuration.h"

#include <fstream>

namespace bw {

std::filesystem::path WriteStartConfiguration(const std::string& share,
                                              const std::string& folderName) {
    const std::filesystem::path start = std::filesystem::temp_directory_path() / folderName;
    std::filesystem::create_directories(start);
    std::ofstream config(start / "bw.cfg");
    config << "ObjectDir " << share << "/Objects/Library\nProjectDir " << share
           << "/Projects\nBgColor 0.18 0.22 0.28 0\nWireColor 0.85 0.85 0.85 0\n";
    return start;
}

}  // namespace bw
