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

// The entry a record selects in its body part's list: the stored path without its first n + 2
// characters, n the length of the record's name, which drops the leading '\', the body part's
// directory and the separator after it ('\' or '/'): "\Left foot\X.bwo" gives "X.bwo", and
// "\Head\sub\X.bwo" gives "sub\X.bwo", which names no entry. Empty, so that no entry is
// selected, for a path not of that shape: one that is not relative to the object directory, or
// whose first directory is not the record's body part (letter case aside), so a record never
// selects another file's entry.
std::string RecordListEntry(const std::string& name, const std::string& storedPath);

}  // namespace bw
