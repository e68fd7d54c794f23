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

// A file chosen in a save dialog with several filters, and the filter selected when it was.
struct SaveFileChoice {
    std::string path;
    std::string filter;  // one filter of the request's, "glTF binary (*.glb)"
};

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // The chosen path, or nullopt when the user cancelled.
    virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
    // SaveFile with the filter the user selected; without a dialog that tells, the first.
    virtual std::optional<SaveFileChoice> SaveFileWithFilter(const FileDialogRequest& request) {
        std::optional<std::string> path = SaveFile(request);
        if (!path) return std::nullopt;
        const std::size_t end = request.filter.find(";;");
        return SaveFileChoice{std::move(*path), request.filter.substr(0, end)};
    }
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
