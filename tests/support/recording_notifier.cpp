#include "support/recording_notifier.h"

namespace bw::test {

MessageResult RecordingNotifier::ShowMessage(const std::string& text, const std::string& caption,
                                             MessageIcon icon, MessageButtons buttons) {
    messages.push_back({text, caption, icon, buttons});
    if (answers.empty()) return MessageResult::Ok;
    const MessageResult answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace bw::test
