// How a part's object path is stored in a project file and found again.
//
// A file below the object directory is stored relative to it, in the portable backslash form
// ("\Left foot\Fantasy-ThreeToes.bwo"). Any other path is stored whole, as it stands, so it is
// never cut into something that names another file. On reading, a path that begins with a
// backslash is relative to the object directory; any other path is used as it stands.
#pragma once

#include <string>

namespace bw {

std::string StoredObjectPath(const std::string& path, const std::string& objectDirectory);

// The file a stored path names; directory and file names below the object directory are
// matched without regard to letter case.
std::string ObjectPathOfStored(const std::string& storedPath, const std::string& objectDirectory);

// The file name of a stored path: what follows its last '\' or '/'.
std::string StoredFileName(const std::string& storedPath);

}  // namespace bw
