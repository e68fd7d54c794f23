// bwtool info FILE.bwo...: what each object file holds, as a JSON array.
#include <iostream>
#include <nlohmann/json.hpp>

#include "bwtool/commands.h"
#include "bwtool/json_text.h"
#include "bwtool/object_description.h"
#include "model/part_object.h"

namespace bw::tool {

int RunInfo(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::cerr << "usage: bwtool info FILE.bwo...\n";
        return kExitUsage;
    }
    nlohmann::ordered_json result = nlohmann::ordered_json::array();
    int status = kExitOk;
    for (const std::string& path : args) {
        PartObject part;
        std::string reason;
        if (!part.LoadObjectFile(path, &reason)) {
            std::cerr << "error: " << path << ": " << reason << "\n";
            status = kExitFileError;
            continue;
        }
        result.push_back(DescribeObjectFile(path, part));
    }
    std::cout << JsonText(result, 2) << "\n";
    return status;
}

}  // namespace bw::tool
