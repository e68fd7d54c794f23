// bwtool info FILE.bwo...: what each object file holds, as a JSON array.
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "bwtool/commands.h"
#include "bwtool/json_number.h"
#include "model/part_object.h"

namespace bw::tool {
namespace {

nlohmann::ordered_json DescribePart(const std::string& path, const PartObject& part) {
    nlohmann::ordered_json sets = nlohmann::ordered_json::array();
    for (int k = 0; k < kMaxConnectionSets; ++k) sets.push_back(part.ConnectionSet(k).size());
    nlohmann::ordered_json surfaces = nlohmann::ordered_json::array();
    const auto table = part.Surfaces();
    for (std::uint32_t i = 0; i < part.SurfaceCount() && i < table.size(); ++i) {
        const SurfaceMaterial& s = table[i];
        surfaces.push_back(
            {{"name", s.name},
             {"colour", {JsonFloat(s.colour[0]), JsonFloat(s.colour[1]), JsonFloat(s.colour[2])}},
             {"dataLength", s.dataBlock.size()}});
    }
    return {{"path", path},
            {"bodyPart", part.FileBodyPart()},
            {"points", part.PointCount()},
            {"polygons", part.PolygonCount()},
            {"surfaces", part.SurfaceCount()},
            {"hasNormals", part.HasFileNormals()},
            {"sets", sets},
            {"surfaceList", surfaces}};
}

}  // namespace

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
        result.push_back(DescribePart(path, part));
    }
    std::cout << result.dump(2) << "\n";
    return status;
}

}  // namespace bw::tool
