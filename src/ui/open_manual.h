// Opens the HTML manual with the desktop's application for HTML files.
#pragma once

#include <string>

#include "model/notifier.h"
#include "platform/platform_dialogs.h"

namespace bw {

// Passes ManualPath(objectDirectory) to the shell's "open". When that fails (a result of 32 or
// less), shows ManualOpenFailureText under the application's name with an OK button and returns
// false.
bool OpenManual(const std::string& objectDirectory, ShellOpener& shell, Notifier& notifier);

}  // namespace bw
