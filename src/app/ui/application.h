// Start-up and shutdown: runs the main dialog modally on the configuration of the directory
// that is current at start, then writes that configuration, however the dialog ended.
#pragma once

#include <string>

namespace bw {

struct MainDialogPlatform;

class Application {
  public:
    // Runs the whole program; the process's exit status.
    int Run(int argc, char** argv);
};

// Builds the main dialog on bw.cfg in `startDirectory`, runs it modally, then writes the
// configuration however the dialog ended (Done, escape, the close box, SIGTERM). The dialog's
// result.
int RunMainDialog(const MainDialogPlatform& platform, const std::string& startDirectory);

}  // namespace bw
