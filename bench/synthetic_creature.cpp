#include "synthetic_creature.h"

#include <cmath>
#include <filesystem>
#include <stdexcept>

#include "model/object_file_writer.h"

namespace bw::bench {

std::array<std::string, kBodyPartCount> WriteSyntheticParts(const std::string& directory,
                                                            int pointsPerPart) {
    constexpr int kRing = 16;
    std::filesystem::create_directories(directory);
    std::array<std::string, kBodyPartCount> paths;
    const int rows = std::max(2, pointsPerPart / kRing);
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        ObjectFileContents c;
        c.bodyPart = id;
        // A tube of `rows` rings along y; ring r is set r + 1 while there are sets.
        for (int r = 0; r < rows; ++r) {
            for (int i = 0; i < kRing; ++i) {
                const float a = float(i) * 6.2831853f / kRing;
                c.points.push_back(
                    {0.1f * std::cos(a) + 0.01f * float(id), 0.02f * float(r), 0.1f * std::sin(a)});
                c.normals.push_back({std::cos(a), 0.0f, std::sin(a)});
            }
        }
        for (int r = 0; r + 1 < rows; ++r) {
            for (int i = 0; i < kRing; ++i) {
                const auto at = [&](int rr, int ii) {
                    return std::uint16_t(rr * kRing + (ii % kRing));
                };
                c.polygons.push_back(
                    Quad{{at(r, i), at(r + 1, i), at(r + 1, i + 1), at(r, i + 1)}, 0});
            }
        }
        c.surfaces.push_back({"Skin", ColourDataBlock(200, 160, 140)});
        const auto connections = ConnectionsOfTypeCode(*TypeCodeOfBodyPart(id));
        for (std::size_t s = 0; s < connections.size(); ++s) {
            const int row = int(s) % rows;
            auto& set = c.connectionSets[std::size_t(connections[s].ownSet - 1)];
            for (int i = 0; i < kRing; ++i) set.push_back(std::uint16_t(row * kRing + i));
        }
        paths[std::size_t(id)] = directory + "/" + std::string(BodyPartName(id)) + ".bwo";
        std::string reason;
        if (!WriteObjectFile(paths[std::size_t(id)], c, &reason)) throw std::runtime_error(reason);
    }
    return paths;
}

}  // namespace bw::bench
