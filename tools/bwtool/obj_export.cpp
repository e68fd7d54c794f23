#include "bwtool/obj_export.h"

#include <charconv>
#include <cmath>
#include <filesystem>

#include "model/file_io.h"

namespace bw::tool {
namespace {

void AppendFloat(std::string& out, float value) {
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    out.append(text, ec == std::errc{} ? end : text);
}

void AppendVector(std::string& out, const char* key, const Vec3f& v) {
    out += key;
    for (float c : {v.x, v.y, v.z}) {
        out += ' ';
        AppendFloat(out, c);
    }
    out += '\n';
}

// Material and group names without white space, which OBJ cannot hold in a name.
std::string NameToken(const std::string& text) {
    std::string token = text.empty() ? std::string("unnamed") : text;
    for (char& c : token)
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') c = '_';
    return token;
}

bool IsFinite(const Vec3f& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

}  // namespace

NonFiniteCount CountNonFinite(const PartObject& part) {
    NonFiniteCount count;
    for (const Vec3f& p : part.TransformedPoints()) count.points += !IsFinite(p);
    for (const Vec3f& n : part.Normals()) count.normals += !IsFinite(n);
    return count;
}

// Unique per part and surface index, so equal surface names of one part stay apart.
std::string MaterialName(const PartObject& part, std::size_t surface) {
    return NameToken(part.TypeName()) + "." + std::to_string(surface) + "." +
           NameToken(part.Surfaces()[surface].name);
}

bool WriteCreatureObj(const Creature& creature, const std::string& objPath, std::string* reason) {
    const std::filesystem::path mtlPath = std::filesystem::path(objPath).replace_extension(".mtl");
    if (mtlPath == std::filesystem::path(objPath)) {
        if (reason) *reason = "the OBJ file cannot have the extension of its material library";
        return false;
    }
    for (int i = 0; i < creature.PartCount(); ++i) {
        const PartObject& part = *creature.Part(i);
        const NonFiniteCount bad = CountNonFinite(part);
        if (bad.points + bad.normals > 0) {
            if (reason) {
                *reason = "the " + part.TypeName() + " has " + std::to_string(bad.points) +
                          " points and " + std::to_string(bad.normals) +
                          " normals that are not finite numbers, which OBJ cannot hold";
            }
            return false;
        }
    }
    std::string obj = "# Beastwright creature\nmtllib " + mtlPath.filename().string() + "\n";
    std::string mtl = "# Beastwright surface colours\n";
    std::size_t firstVertex = 1;
    for (int i = 0; i < creature.PartCount(); ++i) {
        const PartObject& part = *creature.Part(i);
        const auto points = part.TransformedPoints();
        const auto normals = part.Normals();
        const auto surfaces = part.Surfaces();
        // A material for every surface of the header and every spare entry a polygon uses.
        std::vector<bool> used(surfaces.size(), false);
        for (std::size_t s = 0; s < part.SurfaceCount() && s < used.size(); ++s) used[s] = true;
        for (const Quad& quad : part.Polygons()) used[quad.surface] = true;
        for (std::size_t s = 0; s < used.size(); ++s) {
            if (!used[s]) continue;
            mtl += "newmtl " + MaterialName(part, s) + "\nKd";
            for (float channel : surfaces[s].colour) {
                mtl += ' ';
                AppendFloat(mtl, channel);
            }
            mtl += "\n";
        }

        obj += "g " + NameToken(part.TypeName()) + "\n";
        for (const Vec3f& p : points) AppendVector(obj, "v", p);
        for (const Vec3f& n : normals) AppendVector(obj, "vn", n);
        int currentSurface = -1;
        for (const Quad& quad : part.Polygons()) {
            if (quad.surface != currentSurface) {
                currentSurface = quad.surface;
                obj += "usemtl " + MaterialName(part, quad.surface) + "\n";
            }
            obj += "f";
            for (std::uint16_t corner : quad.corner) {
                const std::string index = std::to_string(firstVertex + corner);
                obj += ' ' + index + "//" + index;
            }
            obj += '\n';
        }
        firstVertex += points.size();
    }
    const FileContents files[] = {{mtlPath.string(), mtl}, {objPath, obj}};
    return WriteFilesAtomically(files, reason);
}

}  // namespace bw::tool
