#include "model/message_limiter.h"

namespace bw {

MessageResult MessageLimiter::ShowMessage(const std::string& text, const std::string& caption,
                                          MessageIcon icon, MessageButtons buttons) {
    if (!Holding() || buttons != MessageButtons::Ok)
        return target_.ShowMessage(text, caption, icon, buttons);
    pending_.push_back({text, caption, icon});
    return MessageResult::Ok;
}

void MessageLimiter::EndRecord(bool failed, const std::string& what) {
    if (failed && Holding()) {
        ++held_;
        if (named_.size() < kNamedInSummary) named_.push_back(what);
    } else {
        for (const Message& m : pending_) target_.ShowMessage(m.text, m.caption, m.icon);
    }
    if (failed) ++failures_;
    pending_.clear();
}

void MessageLimiter::Finish() {
    for (const Message& m : pending_) target_.ShowMessage(m.text, m.caption, m.icon);
    pending_.clear();
    if (held_ > 0) {
        std::string text = std::to_string(held_) + (held_ == 1 ? " more part" : " more parts") +
                           " could not be added";
        for (const std::string& what : named_) text += "\n" + what;
        if (static_cast<std::size_t>(held_) > named_.size()) text += "\n...";
        target_.ShowMessage(text, kSummaryCaption);
    }
    failures_ = 0;
    held_ = 0;
    named_.clear();
}

}  // namespace bw
