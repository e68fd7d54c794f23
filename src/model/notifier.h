// How core shows a message to the user. The program passes a message box implementation,
// the command-line tool one that prints "caption: text", tests a recording fake.
#pragma once

#include <string>

namespace bw {

enum class MessageIcon { None, Warning, Information, Exclamation, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, SaveDiscardCancel };
enum class MessageResult { Ok, Cancel, Yes, No, Save, Discard };

class Notifier {
  public:
    virtual ~Notifier() = default;
    // Shows `text` under `caption` and returns the button pressed.
    virtual MessageResult ShowMessage(const std::string& text, const std::string& caption,
                                      MessageIcon icon = MessageIcon::Warning,
                                      MessageButtons buttons = MessageButtons::Ok) = 0;
};

// Shows nothing and answers Ok, counting the messages: for work no one watches (pictures drawn
// in the background, fuzz targets, benchmarks).
class SilentNotifier : public Notifier {
  public:
    MessageResult ShowMessage(const std::string&, const std::string&, MessageIcon,
                              MessageButtons) override {
        ++shown;
        return MessageResult::Ok;
    }
    int shown = 0;
};

}  // namespace bw
