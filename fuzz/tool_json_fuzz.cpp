// bwtool info's JSON: any bytes as a path and an object file load into a part whose description
// serialises to valid UTF-8 JSON that parses back, whatever bytes its names and path hold.
//
// Input: up to the first line feed (at most 255 bytes), the path as given on the command line;
// the rest, the object file.
#include <algorithm>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "bwtool/json_text.h"
#include "bwtool/object_description.h"
#include "fuzz_target.h"
#include "model/object_file_writer.h"
#include "model/part_object.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kMaxPath = 255;
    const std::uint8_t* end = data + size;
    const std::uint8_t* newline = std::find(data, std::min(end, data + kMaxPath + 1), '\n');
    if (newline == end || newline == data + kMaxPath + 1) return 0;
    const std::string path(reinterpret_cast<const char*>(data), std::size_t(newline - data));
    bw::PartObject part;
    if (!part.LoadObjectImage(std::vector<std::uint8_t>(newline + 1, end))) return 0;
    // A header may announce 65536 surfaces; their JSON is long and says nothing new, and
    // writing it would slow the search down a hundredfold.
    if (part.SurfaceCount() > 256) return 0;
    nlohmann::ordered_json files = nlohmann::ordered_json::array();
    files.push_back(bw::tool::DescribeObjectFile(path, part));
    const std::string text = bw::tool::JsonText(files, 2);
    // What a reader of the tool's output does: parse it, and find the path and names again.
    const nlohmann::json parsed = nlohmann::json::parse(text, nullptr, false);
    if (parsed.is_discarded() || parsed.size() != 1 || !parsed[0]["path"].is_string() ||
        parsed[0]["surfaceList"].size() !=
            std::min<std::size_t>(part.SurfaceCount(), part.Surfaces().size()))
        std::abort();
    return 0;
}

std::vector<std::string> BwFuzzSeeds() {
    bw::ObjectFileContents cube;
    for (int i = 0; i < 8; ++i) {
        cube.points.push_back({float(i & 1), float((i >> 1) & 1), float((i >> 2) & 1)});
        cube.normals.push_back({0, 0, 1});
    }
    cube.polygons = {bw::Quad{{0, 2, 3, 1}, 0}, bw::Quad{{4, 5, 7, 6}, 1}};
    // Names as other systems write them: Latin-1, a cut multi-byte sequence, control bytes.
    cube.surfaces = {{"Peau \xe9paisse", bw::ColourDataBlock(255, 128, 0)},
                     {std::string("\xff\xfe\xc3\x01\x7f", 5), {}},
                     {"M\xc3\xa4hne", {}}};
    cube.connectionSets[0] = {2, 3, 7, 6};
    std::string bytes;
    std::vector<std::string> seeds;
    if (!bw::EncodeObjectFile(cube, bytes, nullptr)) return seeds;
    seeds.push_back("Left eye/Cube.bwo\n" + bytes);
    seeds.push_back("Objets/T\xeate/Cr\xe2ne.bwo\n" + bytes);
    seeds.push_back(std::string("\xed\xa0\x80\xf4\x90\x80\x80\xc0\xaf\n", 10) + bytes);
    seeds.push_back("\n" + bytes.substr(0, 24));  // header only
    return seeds;
}
