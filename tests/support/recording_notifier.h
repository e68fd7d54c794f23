// A Notifier that keeps every message and answers with scripted buttons.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "model/notifier.h"

namespace bw::test {

struct RecordedMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
    MessageButtons buttons;
};

class RecordingNotifier : public Notifier {
  public:
    MessageResult ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                              MessageButtons buttons) override;

    // Answers given to the next messages, in order; after them every message gets Ok.
    std::deque<MessageResult> answers;
    std::vector<RecordedMessage> messages;
};

}  // namespace bw::test
