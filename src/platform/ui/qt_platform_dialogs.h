// Qt implementations of the file dialogs, the colour chooser and the shell's "open".
// `parent` (may be null) is the dialogs' owner window and must outlive these objects.
#pragma once

#include "platform/platform_dialogs.h"

class QWidget;

namespace bw {

class QtFileDialogs : public FileDialogs {
  public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
    std::optional<SaveFileChoice> SaveFileWithFilter(const FileDialogRequest& request) override;

  private:
    QWidget* parent_;
};

class QtColourChooser : public ColourChooser {
  public:
    explicit QtColourChooser(QWidget* parent = nullptr) : parent_(parent) {}
    std::optional<Rgb8> ChooseColour(const Rgb8& initial) override;

  private:
    QWidget* parent_;
};

// A local path that does not exist gives kShellOpenFileNotFound (kShellOpenPathNotFound when
// its directory is missing too) without asking the desktop.
class QtShellOpener : public ShellOpener {
  public:
    int Open(const std::string& target) override;
};

}  // namespace bw
