// The pose file that sits beside a project file: "NAME.bwpose" for "NAME.bwp". The project file
// never holds the pose, so its bytes are the same posed or not.
#pragma once

#include <string>

#include "rig/pose.h"

namespace bw {

// The pose file's path for a project path: its ".bwp" extension (any case) replaced, or
// ".bwpose" added to a name without it.
std::string PosePathOfProject(const std::string& projectPath);

// Writes the pose beside the project when any joint is turned; in the rest pose removes a pose
// file left there by an earlier save. False, with `reason` set, when either fails.
bool SavePoseBesideProject(const std::string& projectPath, const Pose& pose, std::string* reason);

// Reads the pose beside the project into `*pose`: the rest pose when there is none. False,
// with `*pose` the rest pose and `reason` set, for a pose file that cannot be read or is not a
// pose file.
bool LoadPoseBesideProject(const std::string& projectPath, Pose* pose, std::string* reason);

}  // namespace bw
