// Prepared-object loading: any bytes, read as our object format or (after a leading "OBJ\n")
// as Wavefront OBJ text with its material library after a "#MTL\n" line, are refused with a
// reason or taken into a converter model whose arrays every converter operation can use.
#include <string_view>

#include "converter/converter_model.h"
#include "converter/converter_picking.h"
#include "converter/converter_view.h"
#include "converter/prepared_object_file.h"
#include "converter/seam_points.h"
#include "converter/wavefront_object.h"
#include "fuzz_target.h"
#include "model/notifier.h"
#include "model/object_file_writer.h"

namespace {

using bw::SilentNotifier;

constexpr std::string_view kObjPrefix = "OBJ\n";
constexpr std::string_view kLibrarySeparator = "#MTL\n";

// Everything the page and the view do with a taken object, without files or a window.
void Exercise(bw::ConverterModel& model) {
    model.heading = 0.3f;
    bw::UpdateViewTransform(model);
    bw::TransformToDisplay(model);
    for (int p = 0; p < model.PointCount(); ++p) {
        model.DisplayPoints()[std::size_t(p)].windowX = p % 64;
        model.DisplayPoints()[std::size_t(p)].windowY = p / 64;
    }
    bw::PickPointsAt(model, 3, 60, 64);
    model.AutoSelect();
    model.FlipSelection();
    model.selectedBodyPart = 0;
    model.hideRest = 1;
    bw::TransformToDisplay(model);
    bw::PickPointsAt(model, 5, 60, 64);
    model.SetPartColour(0.2f, 0.4f, 0.6f);
    if (model.PointCount() > 0) {
        const bw::ConverterPoint& first = model.ModelPoints()[0];
        if (first.materialCount >= 2)
            bw::OrderedSeam(model, first.materials[0], first.materials[1]);
    }
    model.Unselect();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    bw::PreparedObject object;
    bool read = false;
    if (input.substr(0, kObjPrefix.size()) == kObjPrefix) {
        const std::string_view rest = input.substr(kObjPrefix.size());
        const std::size_t split = rest.find(kLibrarySeparator);
        const std::string obj(rest.substr(0, split));
        const std::string mtl(split == std::string_view::npos
                                  ? std::string_view()
                                  : rest.substr(split + kLibrarySeparator.size()));
        read = bw::ParseWavefrontObject(obj, mtl, object, nullptr);
    } else {
        read = bw::PreparedObjectFromImage(std::vector<std::uint8_t>(data, data + size), object,
                                           nullptr);
    }
    if (!read) return 0;
    SilentNotifier notifier;
    bw::ConverterModel model(notifier);
    bw::NoProgress progress;
    if (model.TakeObject(object, progress, nullptr)) Exercise(model);
    return 0;
}

std::vector<std::string> BwFuzzSeeds() {
    std::vector<std::string> seeds;
    // A tube of head and neck bands, as our format and as OBJ text.
    bw::ObjectFileContents tube;
    std::string obj = std::string(kObjPrefix) + "mtllib parts.mtl\n";
    std::string mtl;
    for (int r = 0; r < 3; ++r)
        for (int i = 0; i < 4; ++i) {
            const float x = float(i == 1) - float(i == 3), z = float(i == 0) - float(i == 2);
            tube.points.push_back({x, float(r), z});
            tube.normals.push_back({x, 0.0f, z});
            obj +=
                "v " + std::to_string(x) + " " + std::to_string(r) + " " + std::to_string(z) + "\n";
        }
    for (int r = 0; r < 2; ++r) {
        obj += std::string("usemtl ") + (r == 0 ? "Head" : "Neck") + "\n";
        for (int i = 0; i < 4; ++i) {
            const int j = (i + 1) % 4;
            const std::uint16_t a = std::uint16_t(4 * r + i), b = std::uint16_t(4 * r + 4 + i),
                                c = std::uint16_t(4 * r + 4 + j), d = std::uint16_t(4 * r + j);
            tube.polygons.push_back(bw::Quad{{a, b, c, d}, std::uint16_t(r == 0 ? 0 : 7)});
            obj += "f " + std::to_string(a + 1) + " " + std::to_string(b + 1) + " " +
                   std::to_string(c + 1) + " " + std::to_string(d + 1) + "\n";
        }
    }
    for (bw::BodyPartId id = 0; id < bw::kBodyPartCount; ++id) {
        tube.surfaces.push_back(
            {std::string(bw::BodyPartName(id)), bw::ColourDataBlock(std::uint8_t(id), 100, 200)});
        std::string name(bw::BodyPartName(id));
        for (char& c : name) c = c == ' ' ? '_' : c;
        mtl += "newmtl " + name + "\nKd 0.5 0.25 1\n";
    }
    std::string bytes;
    if (bw::EncodeObjectFile(tube, bytes, nullptr)) seeds.push_back(bytes);
    seeds.push_back(obj + std::string(kLibrarySeparator) + mtl);
    seeds.push_back(obj);  // no library: every body part missing
    seeds.push_back(std::string(kObjPrefix) + "v 0 0 0\nf 1 1 1\nf -1 -2 0 5\n");
    tube.surfaces.resize(21);
    for (auto& quad : tube.polygons) quad.surface = 0;
    if (bw::EncodeObjectFile(tube, bytes, nullptr)) seeds.push_back(bytes);
    return seeds;
}
