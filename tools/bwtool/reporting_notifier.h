// The command line's message box: prints each message as "caption: text" on standard error and
// keeps it for the JSON output.
#pragma once

#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "model/notifier.h"

namespace bw::tool {

class ReportingNotifier : public Notifier {
  public:
    MessageResult ShowMessage(const std::string& text, const std::string& caption, MessageIcon,
                              MessageButtons) override {
        std::cerr << caption << ": " << text << "\n";
        messages.push_back({{"caption", caption}, {"text", text}});
        return MessageResult::Ok;
    }
    // {"caption", "text"} objects in the order shown.
    nlohmann::ordered_json messages = nlohmann::ordered_json::array();
};

}  // namespace bw::tool
