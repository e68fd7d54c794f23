// A Notifier for the fuzz targets: shows nothing and answers Ok, so any message a malformed
// input provokes costs nothing.
#pragma once

#include "model/notifier.h"

namespace bw::fuzz {

class SilentNotifier : public Notifier {
  public:
    MessageResult ShowMessage(const std::string&, const std::string&, MessageIcon,
                              MessageButtons) override {
        return MessageResult::Ok;
    }
};

}  // namespace bw::fuzz
