#include "ui/open_manual.h"

#include "app/manual_location.h"
#include "ui/product_name.h"

namespace bw {

bool OpenManual(const std::string& objectDirectory, ShellOpener& shell, Notifier& notifier) {
    const std::string path = ManualPath(objectDirectory);
    const int result = shell.Open(path);
    if (result > kShellOpenFailureLimit) return true;
    notifier.ShowMessage(ManualOpenFailureText(result, path), kApplicationName, MessageIcon::None,
                         MessageButtons::Ok);
    return false;
}

}  // namespace bw
