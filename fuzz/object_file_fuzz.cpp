// Object file reader: any bytes are refused with a reason or loaded into a part whose spans
// stay inside their buffers.
#include <cmath>

#include "fuzz_target.h"
#include "model/object_file_writer.h"
#include "model/part_object.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    bw::PartObject part;
    std::string reason;
    if (!part.LoadObjectImage(std::vector<std::uint8_t>(data, data + size), &reason)) return 0;
    // Touch everything a later user reads, so an out-of-range span shows up here.
    double sum = 0;
    const auto points = part.TransformedPoints();
    const auto normals = part.Normals();
    for (const bw::Quad& quad : part.Polygons()) {
        for (std::uint16_t corner : quad.corner) {
            if (!points.empty()) sum += points[corner].x;
            if (!normals.empty()) sum += normals[corner].y;
        }
        sum += part.Surfaces()[quad.surface].colour[0];
    }
    for (int k = 0; k < bw::kMaxConnectionSets; ++k)
        for (std::uint16_t index : part.ConnectionSet(k)) sum += points[index].z;
    part.Translate(1.0f, 2.0f, 3.0f);
    return std::isnan(sum) ? 0 : 0;
}

std::vector<std::string> BwFuzzSeeds() {
    std::vector<std::string> seeds;
    bw::ObjectFileContents cube;
    for (int i = 0; i < 8; ++i) {
        cube.points.push_back({float(i & 1), float((i >> 1) & 1), float((i >> 2) & 1)});
        cube.normals.push_back({0, 0, 1});
    }
    cube.polygons = {bw::Quad{{0, 2, 3, 1}, 0}, bw::Quad{{4, 5, 7, 6}, 1},
                     bw::Quad{{0, 1, 5, 4}, 0}};
    cube.surfaces = {{"Skin", bw::ColourDataBlock(255, 128, 0)}, {"Odd", {}}};
    cube.connectionSets[0] = {2, 3, 7, 6};
    cube.connectionSets[6] = {0, 1};
    std::string bytes;
    if (bw::EncodeObjectFile(cube, bytes, nullptr)) seeds.push_back(bytes);
    cube.normals.clear();
    cube.surfaces[1].dataBlock = {'F', 'L', 'A', 'G', 0, 2, 0, 0, 'C',
                                  'O', 'L', 'R', 0,   4, 1, 2, 3, 0};
    if (bw::EncodeObjectFile(cube, bytes, nullptr)) seeds.push_back(bytes);
    seeds.push_back(bytes.substr(0, 24));  // header only
    seeds.push_back("BOWB");
    return seeds;
}
