// Start-up and shutdown: runs the main dialog modally on the configuration of the directory
// that is current at start, then writes that configuration, however the dialog ended.
#pragma once

namespace bw {

class Application {
  public:
    // Runs the whole program; the process's exit status.
    int Run(int argc, char** argv);
};

// True when an OpenGL context of the preview's format can be made on this display.
bool OpenGlContextAvailable();

}  // namespace bw
