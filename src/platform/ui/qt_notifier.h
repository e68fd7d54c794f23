// Shows core's messages in modal message boxes: the caption as window title, the icon and
// buttons asked for. `parent` (may be null) owns nothing; a box without a parent is
// application-modal.
#pragma once

#include "model/notifier.h"

class QWidget;

namespace bw {

class QtNotifier : public Notifier {
  public:
    explicit QtNotifier(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    MessageResult ShowMessage(const std::string& text, const std::string& caption,
                              MessageIcon icon = MessageIcon::Warning,
                              MessageButtons buttons = MessageButtons::Ok) override;

  private:
    QWidget* parent_;
};

}  // namespace bw
