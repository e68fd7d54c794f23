// Keeps a flood of failures from burying the user: during a load of many records, the
// messages of the first `shownFailures` failed records go to the notifier as they come; the
// messages of later failed records are held back and counted, and Finish() shows one message
// that says how many more failed and names the first few. Messages of records that succeed
// always reach the notifier; questions (other buttons than OK) always pass at once.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/notifier.h"

namespace bw {

class MessageLimiter : public Notifier {
  public:
    static constexpr int kShownFailures = 10;
    static constexpr std::size_t kNamedInSummary = 5;
    static constexpr const char* kSummaryCaption = "Unable to add object";

    explicit MessageLimiter(Notifier& target, int shownFailures = kShownFailures)
        : target_(target), shownFailures_(shownFailures) {}

    MessageResult ShowMessage(const std::string& text, const std::string& caption,
                              MessageIcon icon = MessageIcon::Warning,
                              MessageButtons buttons = MessageButtons::Ok) override;

    // Ends one record: `failed` with `what` (its file, or "Record N") naming it in the summary.
    void EndRecord(bool failed, const std::string& what);
    // Shows the summary of the held failures, if any; the count starts again.
    void Finish();

    int HeldFailures() const { return held_; }

  private:
    struct Message {
        std::string text, caption;
        MessageIcon icon;
    };
    bool Holding() const { return failures_ >= shownFailures_; }

    Notifier& target_;
    int shownFailures_;
    int failures_ = 0;
    int held_ = 0;
    std::vector<Message> pending_;  // this record's messages while failures are held
    std::vector<std::string> named_;
};

}  // namespace bw
