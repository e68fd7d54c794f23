#include "export/writers/dxf_drawing.h"

#include <dxflib/dl_dxf.h>
#include <dxflib/dl_writer_ascii.h>

#include <charconv>
#include <set>

#include "export/writers/export_scene.h"
#include "model/colour_byte.h"

namespace bw {
namespace {

// dxflib's writer for text kept in memory: the file is saved whole by the caller. Numbers are
// written in the C locale's form whatever the process locale, as DXF requires.
class DxfText : public DL_WriterA {
  public:
    explicit DxfText(std::string& text) : DL_WriterA("", DL_VERSION_2000), text_(text) {}

    void dxfReal(int code, double value) const override {
        char digits[32];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        std::string number(digits, end);
        if (number.find_first_of(".e") == std::string::npos) number += ".0";
        Pair(code, number);
    }
    void dxfInt(int code, int value) const override { Pair(code, std::to_string(value)); }
    void dxfHex(int code, int value) const override {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, value, 16).ptr;
        std::string hex(digits, end);
        for (char& c : hex) c = char(std::toupper(static_cast<unsigned char>(c)));
        Pair(code, hex);
    }
    void dxfString(int code, const char* value) const override { Pair(code, value); }
    void dxfString(int code, const std::string& value) const override { Pair(code, value); }

  private:
    void Pair(int code, const std::string& value) const {
        // Group codes are right-aligned in three characters, as CAD programs write them.
        std::string codeText = std::to_string(code);
        if (codeText.size() < 3) codeText.insert(0, 3 - codeText.size(), ' ');
        text_ += codeText;
        text_ += '\n';
        text_ += value;
        text_ += '\n';
    }

    std::string& text_;
};

// A layer name as DXF allows it: no < > / \ " : ; ? * | = ` and no control characters.
std::string LayerName(const std::string& bodyPart) {
    std::string name = ExportName(bodyPart, false);
    for (char& c : name)
        if (std::string_view("<>/\\\":;?*|=`").find(c) != std::string_view::npos) c = '_';
    return name.empty() ? "part" : name;
}

int TrueColour(const std::array<float, 3>& colour) {
    return ColourByte(colour[0]) << 16 | ColourByte(colour[1]) << 8 | ColourByte(colour[2]);
}

void WriteTables(DL_Dxf& dxf, DxfText& out, const std::vector<std::string>& layers) {
    out.sectionTables();
    dxf.writeVPort(out);
    out.tableLinetypes(3);
    dxf.writeLinetype(out, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(out, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(out, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    out.tableEnd();
    out.tableLayers(int(layers.size()) + 1);
    const DL_Attributes layerAttributes("", DL_Codes::white, 100, "CONTINUOUS", 1.0);
    dxf.writeLayer(out, DL_LayerData("0", 0), layerAttributes);
    for (const std::string& layer : layers)
        dxf.writeLayer(out, DL_LayerData(layer, 0), layerAttributes);
    out.tableEnd();
    out.tableStyle(1);
    dxf.writeStyle(out, DL_StyleData("standard", 0, 2.5, 1.0, 0.0, 0, 2.5, "txt", ""));
    out.tableEnd();
    dxf.writeView(out);
    dxf.writeUcs(out);
    out.tableAppid(1);
    dxf.writeAppid(out, "ACAD");
    out.tableEnd();
    dxf.writeDimStyle(out, 1, 1, 1, 1, 1);
    dxf.writeBlockRecord(out);
    out.tableEnd();
    out.sectionEnd();
}

void WriteBlocks(DL_Dxf& dxf, DxfText& out) {
    out.sectionBlocks();
    dxf.writeBlock(out, DL_BlockData("*Model_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(out, "*Model_Space");
    dxf.writeBlock(out, DL_BlockData("*Paper_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(out, "*Paper_Space");
    dxf.writeBlock(out, DL_BlockData("*Paper_Space0", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(out, "*Paper_Space0");
    out.sectionEnd();
}

}  // namespace

bool DxfDrawing(std::span<const PartGeometry> parts, std::string& bytes, std::string* reason) {
    std::size_t polygons = 0;
    for (const PartGeometry& part : parts) polygons += part.polygons.size();
    if (polygons == 0) {
        if (reason) *reason = "the creature has no polygons to draw";
        return false;
    }
    // Each body part once: a layer name must be unique.
    std::vector<std::string> layers;
    std::set<std::string> taken;
    for (const PartGeometry& part : parts) {
        std::string layer = LayerName(part.bodyPart);
        for (int copy = 2; taken.count(layer); ++copy)
            layer = LayerName(part.bodyPart) + " " + std::to_string(copy);
        taken.insert(layer);
        layers.push_back(layer);
    }

    bytes.clear();
    DL_Dxf dxf;
    DxfText out(bytes);
    dxf.writeHeader(out);
    out.sectionEnd();
    WriteTables(dxf, out, layers);
    WriteBlocks(dxf, out);
    out.sectionEntities();
    for (std::size_t p = 0; p < parts.size(); ++p) {
        const PartGeometry& part = parts[p];
        for (const ExportPolygon& polygon : part.polygons) {
            DL_3dFaceData face;
            for (std::uint32_t k = 0; k < 4; ++k) {
                const std::uint32_t corner = polygon.corners[std::min(k, polygon.cornerCount - 1)];
                const Vec3f& point = part.points[corner];
                face.x[k] = point.x;
                face.y[k] = point.y;
                face.z[k] = point.z;
            }
            DL_Attributes attributes(layers[p], DL_Codes::bylayer, 0, "BYLAYER", 1.0);
            if (polygon.surface < part.surfaces.size())
                attributes.setColor24(TrueColour(part.surfaces[polygon.surface].colour));
            dxf.write3dFace(out, face, attributes);
        }
    }
    out.sectionEnd();
    dxf.writeObjects(out);
    dxf.writeObjectsEnd(out);
    out.dxfEOF();
    return true;
}

}  // namespace bw
