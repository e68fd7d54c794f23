// Where object files lie: one directory per body part below the object directory. Directory
// and file names are matched without regard to letter case, so "Left Forearm" and
// "Left forearm" reach the same directory on any file system. Paths use the native separator;
// an empty object directory means the file system root.
#pragma once

#include <string>

#include "model/body_part_catalogue.h"

namespace bw {

inline constexpr char kPathSeparator = '/';

// The body part's directory: an existing directory whose name equals the catalogue name
// without regard to case (the exact name first), else the catalogue form.
std::string BodyPartDirectory(const std::string& objectDirectory, BodyPartId id);

// `base` joined with `relative` (components separated by '/'), each component matched
// without regard to case when the exact name does not exist. Components that match nothing
// are kept as written, so the result names the file a caller would expect in error messages.
// Linear in the length of `relative`: each component is looked up in the folder reached so far,
// never by walking the whole path again (a stored path may hold tens of thousands of them), and
// a folder is listed at most once however often the path comes back to it.
std::string ResolvePathIgnoringCase(const std::string& base, const std::string& relative);

// Letter-case-insensitive equality of ASCII names.
bool EqualIgnoringCase(const std::string& a, const std::string& b);

}  // namespace bw
