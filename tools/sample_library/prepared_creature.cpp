#include "prepared_creature.h"

#include <array>
#include <deque>

#include "body_part_shapes.h"

namespace bw::library {
namespace {

// The neighbour of higher rank of a body part, with the own and the neighbour's set.
struct ParentLink {
    BodyPartId parent = -1;
    int ownSet = 0;
    int parentSet = 0;
};

ParentLink ParentOf(BodyPartId id) {
    const TypeCode code = *TypeCodeOfBodyPart(id);
    for (const SetConnection& c : ConnectionsOfTypeCode(code))
        if (RankOfTypeCode(c.neighbour) > RankOfTypeCode(code))
            return {*BodyPartOfTypeCode(c.neighbour), c.ownSet, c.neighbourSet};
    return {};
}

Rgb ColourOf(BodyPartId id, const Palette& palette) {
    const PartKind kind = PartKindOf(id);
    if (kind == PartKind::Eye) return palette.eyeWhite;
    if (kind == PartKind::Mouth) return palette.lips;
    return palette.skin;
}

}  // namespace

bool BuildPreparedCreature(CreatureType type, PartMesh& creature, std::string* reason) {
    std::array<PartMesh, kBodyPartCount> parts;
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        parts[id] = BuildBodyPart(PartKindOf(id), type, 0);
        if (IsRightSide(id)) parts[id].MirrorX();
    }
    creature = {};
    const Palette palette = PaletteOf(type);
    for (BodyPartId id = 0; id < kBodyPartCount; ++id)
        creature.surfaces.push_back({std::string(BodyPartName(id)), ColourOf(id, palette)});

    // Place the parts from the upper body outwards, each onto its parent's matching set, and
    // share the seam points with the parent.
    std::array<std::vector<int>, kBodyPartCount> pointOf;
    std::array<std::vector<char>, kBodyPartCount> isCap;
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        isCap[id].assign(parts[id].mesh.quads.size(), 0);
        for (const auto& cap : parts[id].capQuads)
            for (int quad : cap) isCap[id][quad] = 1;
    }
    std::deque<BodyPartId> queue{*BodyPartIdOfName("Upper body")};
    std::array<bool, kBodyPartCount> placed{};
    while (!queue.empty()) {
        const BodyPartId id = queue.front();
        queue.pop_front();
        PartMesh& part = parts[id];
        const ParentLink link = ParentOf(id);
        V3 shift;
        if (link.parent >= 0) {
            const PartMesh& parent = parts[link.parent];
            shift = parent.mesh.CentreOf(parent.sets[link.parentSet - 1]) -
                    part.mesh.CentreOf(part.sets[link.ownSet - 1]);
        }
        for (V3& p : part.mesh.points) p += shift;
        pointOf[id].assign(part.mesh.points.size(), -1);
        if (link.parent >= 0) {
            const auto& own = part.sets[link.ownSet - 1];
            const auto& theirs = parts[link.parent].sets[link.parentSet - 1];
            for (std::size_t i = 0; i < own.size(); ++i)
                pointOf[id][own[i]] = pointOf[link.parent][theirs[i]];
        }
        for (std::size_t i = 0; i < part.mesh.points.size(); ++i)
            if (pointOf[id][i] < 0) pointOf[id][i] = creature.mesh.AddPoint(part.mesh.points[i]);
        placed[id] = true;
        for (BodyPartId child = 0; child < kBodyPartCount; ++child)
            if (!placed[child] && ParentOf(child).parent == id) queue.push_back(child);
    }
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        const auto& quads = parts[id].mesh.quads;
        for (std::size_t q = 0; q < quads.size(); ++q) {
            if (isCap[id][q]) continue;
            const auto& c = quads[q].corner;
            creature.mesh.AddQuad(pointOf[id][c[0]], pointOf[id][c[1]], pointOf[id][c[2]],
                                  pointOf[id][c[3]], id);
        }
    }
    creature.mesh.DropUnusedPoints();
    std::string problem;
    if (!creature.mesh.IsClosed(&problem)) {
        if (reason) *reason = "the prepared creature is not closed: " + problem;
        return false;
    }
    return true;
}

}  // namespace bw::library
