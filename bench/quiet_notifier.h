// A Notifier for benchmarks: shows nothing, counts the messages, answers Ok.
#pragma once

#include "model/notifier.h"

namespace bw::bench {

class QuietNotifier : public Notifier {
  public:
    MessageResult ShowMessage(const std::string&, const std::string&, MessageIcon,
                              MessageButtons) override {
        ++shown;
        return MessageResult::Ok;
    }
    int shown = 0;
};

}  // namespace bw::bench
