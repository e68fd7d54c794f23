// The command line's message box: prints each message as "caption: text" on standard error and
// keeps the first kKeptMessages for the JSON output, counting the rest.
#pragma once

#include <cstddef>
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
        ++shown;
        if (messages.size() < kKeptMessages)
            messages.push_back({{"caption", caption}, {"text", text}});
        return MessageResult::Ok;
    }
    std::size_t NotKept() const { return shown - messages.size(); }

    static constexpr std::size_t kKeptMessages = 100;
    // {"caption", "text"} objects in the order shown, the first kKeptMessages of them.
    nlohmann::ordered_json messages = nlohmann::ordered_json::array();
    std::size_t shown = 0;  // every message, kept or not
};

}  // namespace bw::tool
