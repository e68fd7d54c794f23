// The OK and Cancel buttons of a dialog, named for the accessibility bus and wired to accept
// and reject.
#pragma once

class QDialog;
class QDialogButtonBox;

namespace bw {

// A button box owned by `dialog`, for the caller to lay out.
QDialogButtonBox* OkCancelButtons(QDialog& dialog);

}  // namespace bw
