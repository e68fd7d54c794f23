// The converter's object name names one file inside each body part directory
// (<name>.bwo), so it must stay a plain file name: a name that could reach another directory
// or no file at all is refused before anything is written.
#pragma once

#include <string>
#include <string_view>

namespace bw {

// False, with `problem` set to a sentence for the user, for an empty name, a name holding a
// path separator ('/' or '\', which project files read as one), a zero byte, or a name made
// of dots only.
bool IsSafeObjectName(std::string_view name, std::string* problem);

}  // namespace bw
