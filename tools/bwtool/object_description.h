// What `bwtool info` prints for one object file: counts, body part, connection set sizes and
// surfaces with their colours, as a JSON object whose field names are a contract.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "model/part_object.h"

namespace bw::tool {

// `path` is reported as given; `part` holds the file, loaded.
nlohmann::ordered_json DescribeObjectFile(const std::string& path, const PartObject& part);

}  // namespace bw::tool
