// Where the HTML manual lies and what is said when the desktop cannot open it.
#pragma once

#include <string>

namespace bw {

// The manual "StandaloneManual.html" in the directory "Doc" two levels above the object
// directory: objectDirectory + "/../../Doc/StandaloneManual.html". With an empty object
// directory (the root) the path starts with the separator, so it is looked for from the root.
std::string ManualPath(const std::string& objectDirectory);

// The message for a failed open: "returned: <code>\n" followed by what the code means (see
// ShellOpener in platform/platform_dialogs.h for the codes); for a code without a meaning of
// its own, the manual's path.
std::string ManualOpenFailureText(int code, const std::string& manualPath);

}  // namespace bw
