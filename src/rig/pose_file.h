// Pose files (NAME.bwpose): plain text, one line per turned body part: the body part's
// catalogue name (it may hold blanks), then its bend, side and twist in degrees, separated by
// blanks, e.g. "Left forearm 60 0 0". Lines end in a line feed (a carriage return before it is
// accepted); blank lines are skipped. Numbers are written as the shortest decimal text that
// reads back to the same float, and body parts in catalogue order, so a pose always gives the
// same bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "rig/pose.h"

namespace bw {

// Longer input is refused unread: 22 lines of a name and three angles fit many times over.
inline constexpr std::size_t kMaxPoseFileBytes = 16384;

// The text of `pose`: only the turned body parts. Empty for the rest pose.
std::string FormatPoseFile(const Pose& pose);

// Reads pose file text. False, with `reason` set (when given) and `*pose` untouched, for text
// that is too long, holds control bytes other than tab, carriage return and line feed, a line
// that is not a catalogue name and three angles, an angle that is not a finite number within
// [-kMaxJointAngle, kMaxJointAngle], or one body part twice. Body parts not named stay at rest.
bool ParsePoseFile(std::string_view text, Pose* pose, std::string* reason);

// The same through files; writing replaces the file atomically (see file_io.h).
bool ReadPoseFile(const std::string& path, Pose* pose, std::string* reason);
bool WritePoseFile(const std::string& path, const Pose& pose, std::string* reason);

}  // namespace bw
