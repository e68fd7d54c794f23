// bwtool info FILE.bwo...: what each object file holds, as a JSON array.
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "bwtool/commands.h"
#include "bwtool/json_text.h"
#include "bwtool/object_description.h"
#include "model/part_object.h"

namespace bw::tool {
namespace {

int RunInfo(const std::vector<std::string>& paths) {
    nlohmann::ordered_json result = nlohmann::ordered_json::array();
    int status = kExitOk;
    for (const std::string& path : paths) {
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

}  // namespace

void AddInfoCommand(CLI::App& app, CommandAction& action) {
    CLI::App* info =
        app.add_subcommand("info",
                           "Print what each object file holds (counts, body part, connection sets, "
                           "surfaces and colours) as a JSON array");
    auto paths = std::make_shared<std::vector<std::string>>();
    info->add_option("FILE.bwo", *paths, "Object files")->required()->type_name("");
    info->callback([&action, paths] { action = [paths] { return RunInfo(*paths); }; });
}

}  // namespace bw::tool
