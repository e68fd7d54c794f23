#include "bwtool/object_description.h"

#include "bwtool/json_number.h"

namespace bw::tool {

nlohmann::ordered_json DescribeObjectFile(const std::string& path, const PartObject& part) {
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

}  // namespace bw::tool
