// The configuration both screenshot tools start the window from.
#pragma once

#include <filesystem>
#include <string>

namespace bw {

// Writes bw.cfg into the folder `folderName` under the system's temporary folder: the sample
// library under `share`, its projects and the colours of the pictures. The folder's path.
std::filesystem::path WriteStartConfiguration(const std::string& share,
                                              const std::string& folderName);

}  // namespace bw
