#include "rig/pose_beside_project.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "rig/pose_file.h"

namespace bw {
namespace {

bool EndsWithProjectExtension(const std::string& path) {
    constexpr std::string_view kExtension = ".bwp";
    if (path.size() < kExtension.size()) return false;
    return std::equal(
        kExtension.begin(), kExtension.end(), path.end() - kExtension.size(),
        [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

}  // namespace

std::string PosePathOfProject(const std::string& projectPath) {
    const std::string stem = EndsWithProjectExtension(projectPath)
                                 ? projectPath.substr(0, projectPath.size() - 4)
                                 : projectPath;
    return stem + ".bwpose";
}

bool SavePoseBesideProject(const std::string& projectPath, const Pose& pose, std::string* reason) {
    const std::string path = PosePathOfProject(projectPath);
    if (!pose.IsRest()) return WritePoseFile(path, pose, reason);
    std::error_code error;
    std::filesystem::remove(path, error);  // none there is no failure
    if (error) {
        if (reason) *reason = error.message();
        return false;
    }
    return true;
}

bool LoadPoseBesideProject(const std::string& projectPath, Pose* pose, std::string* reason) {
    *pose = Pose{};
    const std::string path = PosePathOfProject(projectPath);
    std::error_code error;
    if (std::filesystem::symlink_status(path, error).type() ==
        std::filesystem::file_type::not_found)
        return true;
    Pose read;
    if (!ReadPoseFile(path, &read, reason)) return false;
    *pose = read;
    return true;
}

}  // namespace bw
