// STL and 3MF exports of a creature made of any object file: the same bytes loaded as the
// neck and as the head, which the creature welds where their sets meet, then exported in
// memory. Whatever the mesh and its sets, the export is written or refused with a reason, and
// the welded surface's triangles use only its own points; subdivided, for an export and for
// the preview, every face uses only points that are there.
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "export/welded_surface.h"
#include "export/writers/creature_export.h"
#include "fuzz_target.h"
#include "model/creature.h"
#include "model/file_io.h"
#include "model/notifier.h"
#include "model/object_file_writer.h"
#include "subdivide/subdivided_creature.h"
#include "subdivide/subdivided_parts.h"

using bw::SilentNotifier;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The creature adds parts from files, as the window does: the bytes go to one file.
    static const std::string path = [] {
        char name[] = "/tmp/bw-export-fuzz-XXXXXX";
        const int fd = mkstemp(name);
        if (fd < 0) std::abort();
        close(fd);
        return std::string(name);
    }();
    bw::PartObject probe;
    if (!probe.LoadObjectImage(std::vector<std::uint8_t>(data, data + size))) return 0;
    // A header may announce 65536 surfaces, each its own material: slow, and nothing new.
    if (probe.SurfaceCount() > 256) return 0;
    if (!bw::WriteFileAtomically(path, std::string(reinterpret_cast<const char*>(data), size),
                                 nullptr))
        std::abort();
    SilentNotifier notifier;
    bw::Creature creature(notifier);
    if (!creature.AddPart("Neck", path, *bw::BodyPartIdOfName("Neck")) ||
        !creature.AddPart("Head", path, *bw::BodyPartIdOfName("Head")))
        return 0;

    std::vector<bw::PartGeometry> parts;
    if (!bw::TakeCreatureGeometry(creature, {}, "STL", parts, nullptr)) return 0;
    const bw::WeldedSurface surface = bw::WeldParts(parts, bw::CreatureSeamWelds(creature));
    for (const auto& triangle : surface.triangles) {
        for (std::uint32_t corner : triangle)
            if (corner >= surface.points.size()) std::abort();
    }
    if (surface.triangleSurfaces.size() != surface.triangles.size()) std::abort();
    bw::CountOpenEdges(surface);
    bw::CountShells(surface);

    std::vector<bw::PartGeometry> smooth = parts;
    std::string why;
    if (bw::SubdivideParts(smooth, bw::CreatureSeamWelds(creature), 1, &why)) {
        for (const bw::PartGeometry& part : smooth) {
            if (part.normals.size() != part.points.size()) std::abort();
            for (const bw::ExportPolygon& polygon : part.polygons)
                for (std::uint32_t corner : polygon.corners)
                    if (corner >= part.points.size()) std::abort();
        }
    } else if (why.empty()) {
        std::abort();
    }
    bw::SubdividedCreature preview;
    if (preview.Update(creature, {}, 1)) {
        for (const auto& face : preview.Faces())
            for (std::uint32_t corner : face)
                if (corner >= preview.Points().size()) std::abort();
    }

    for (const char* path : {"creature.stl", "creature.3mf"}) {
        bw::ExportResult result;
        std::string reason;
        if (!bw::EncodeCreatureExport(creature, path, *bw::ExportFormatOfPath(path), {}, result,
                                      &reason) &&
            reason.empty())
            std::abort();
    }
    return 0;
}

std::vector<std::string> BwFuzzSeeds() {
    // A unit cube closed by six quads; set 1 is the ring of its top face, set 2 that of its
    // bottom face, so the head's top lands on the neck's bottom and both caps go.
    bw::ObjectFileContents cube;
    for (int i = 0; i < 8; ++i) {
        cube.points.push_back({float(i & 1), float((i >> 1) & 1), float((i >> 2) & 1)});
        cube.normals.push_back({0, 1, 0});
    }
    cube.polygons = {bw::Quad{{0, 2, 3, 1}, 0}, bw::Quad{{4, 5, 7, 6}, 0},
                     bw::Quad{{0, 1, 5, 4}, 0}, bw::Quad{{2, 6, 7, 3}, 0},
                     bw::Quad{{0, 4, 6, 2}, 0}, bw::Quad{{1, 3, 7, 5}, 0}};
    cube.surfaces = {{"Skin", bw::ColourDataBlock(255, 128, 0)}};
    cube.connectionSets[0] = {2, 3, 7, 6};
    cube.connectionSets[1] = {0, 1, 5, 4};
    std::vector<std::string> seeds;
    std::string bytes;
    if (bw::EncodeObjectFile(cube, bytes, nullptr)) seeds.push_back(bytes);
    cube.connectionSets[1] = {0, 1, 5};  // sets of different sizes weld nothing
    if (bw::EncodeObjectFile(cube, bytes, nullptr)) seeds.push_back(bytes);
    cube.polygons.pop_back();  // a hole
    cube.connectionSets[1] = {0, 0, 0, 0};
    if (bw::EncodeObjectFile(cube, bytes, nullptr)) seeds.push_back(bytes);
    return seeds;
}
