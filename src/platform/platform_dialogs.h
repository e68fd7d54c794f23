// The platform services the pages reach besides messages: the file-open and file-save dialogs,
// the colour chooser and the shell's "open". The program passes the Qt implementations
// (qt_platform_dialogs.h); tests pass recording fakes with scripted answers.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace bw {

struct FileDialogRequest {
    std::string title;
    std::string initialDirectory;  // empty: the dialog's own choice
    std::string proposedName;      // preset in the file name field
    // Qt-style filter, "Project files (*.bwp);;All files (*)"; empty for none.
    std::string filter;
    std::string defaultExtension;  // without the dot; appended when the user types none
};

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // The chosen path, or nullopt when the user cancelled.
    virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
};

// 8-bit red, green, blue.
using Rgb8 = std::array<int, 3>;

class ColourChooser {
  public:
    virtual ~ColourChooser() = default;
    // The chosen colour, or nullopt when the user cancelled.
    virtual std::optional<Rgb8> ChooseColour(const Rgb8& initial) = 0;
};

// Results of ShellOpener::Open: above kShellOpenFailureLimit is success; at or below it the
// value says what failed.
inline constexpr int kShellOpenFailureLimit = 32;
inline constexpr int kShellOpenFileNotFound = 2;
inline constexpr int kShellOpenPathNotFound = 3;
inline constexpr int kShellOpenNoAssociation = 31;
inline constexpr int kShellOpenSuccess = 42;

class ShellOpener {
  public:
    virtual ~ShellOpener() = default;
    // Opens a local file, a web address or a "mailto:" link with the desktop's application.
    virtual int Open(const std::string& target) = 0;
};

}  // namespace bw
