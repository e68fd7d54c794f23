#include "bwtool/creature_description.h"

#include "bwtool/json_number.h"

namespace bw::tool {
namespace {

using Json = nlohmann::ordered_json;

template <class Range>
Json Numbers(const Range& values) {
    Json array = Json::array();
    for (auto v : values) {
        if constexpr (std::is_floating_point_v<decltype(v)>)
            array.push_back(JsonFloat(v));
        else
            array.push_back(v);
    }
    return array;
}

Json Points(std::span<const Vec3f> points) {
    Json array = Json::array();
    for (const Vec3f& p : points)
        array.push_back(Json::array({JsonFloat(p.x), JsonFloat(p.y), JsonFloat(p.z)}));
    return array;
}

Json DescribePart(const PartObject& part) {
    const PartAdjustments& a = part.adjustments;
    return {{"typeName", part.TypeName()},
            {"bodyPart", part.bodyPart},
            {"typeCode", int(part.GetTypeCode())},
            {"name", part.Name()},
            {"highlight", part.highlight},
            {"points", Points(part.TransformedPoints())},
            {"basePoints", Points(part.BasePoints())},
            {"normals", Points(part.Normals())},
            {"adjustments",
             {{"adjustPosition", Numbers(a.adjustPosition)},
              {"sliderStep", Numbers(a.sliderStep)},
              {"scaleValue", Numbers(a.scaleValue)},
              {"scaleLock", Numbers(a.scaleLock)},
              {"reserved", a.reserved},
              {"taperAxis", a.taperAxis},
              {"taperLock", a.taperLock},
              {"taperStep", JsonFloat(a.taperStep)},
              {"taperValue", Numbers(a.taperValue)},
              {"taperAdjustPosition", Numbers(a.taperAdjustPosition)}}}};
}

}  // namespace

Json DescribeCreature(const Creature& creature, const Json& messages,
                      std::size_t messagesNotShown) {
    Json parts = Json::array();
    for (int i = 0; i < creature.PartCount(); ++i) parts.push_back(DescribePart(*creature.Part(i)));
    Json description{{"parts", parts}, {"messages", messages}};
    if (messagesNotShown > 0) description["messagesNotShown"] = messagesNotShown;
    return description;
}

}  // namespace bw::tool
