// How the Preference page turns what the user chose or typed into a directory setting.
// Paths use the native separator ('/'); directories are kept without a trailing separator and
// are never cut to a length: a shortened path would name another directory.
#pragma once

#include <string>
#include <string_view>

namespace bw {

// The directory of a path chosen in a file-open dialog: everything before its last separator.
// A path without a separator gives the empty directory, and so does a file directly in the
// root ("/notes.txt"), because the empty directory stands for the root.
std::string DirectoryOfChosenPath(std::string_view chosenPath);

// The text of a directory field as a directory: one trailing separator removed ("/" alone
// becomes the empty directory, the root).
std::string DirectoryOfFieldText(std::string_view fieldText);

// True when `value` holds a CR or LF. The configuration file keeps one setting per line, so
// such a value cannot be stored there: everything after the break would be read as further
// settings.
bool HoldsLineBreak(std::string_view value);

}  // namespace bw
