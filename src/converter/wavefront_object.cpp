#include "converter/wavefront_object.h"

#include <tiny_obj_loader.h>

#include <cmath>
#include <optional>
#include <sstream>

#include "model/colour_byte.h"
#include "model/file_io.h"
#include "model/object_file_writer.h"
#include "model/surface_material.h"
#include "model/vec3.h"

namespace bw {
namespace {

bool Fail(std::string* reason, std::string text) {
    if (reason) *reason = std::move(text);
    return false;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

float ColourComponent(float value) {
    if (!std::isfinite(value)) return SurfaceMaterial::kDefaultGrey;
    return value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
}

Vec3f Normalised(double x, double y, double z) {
    const double length = Length(Vec3d{x, y, z});
    if (!(length > 0.0) || !std::isfinite(length)) return {};
    return {float(x / length), float(y / length), float(z / length)};
}

// Per point: the normalised sum of the normals the corners at that point name.
void NormalsFromFile(const tinyobj::attrib_t& attrib, const std::vector<tinyobj::index_t>& corners,
                     PreparedObject& object) {
    std::vector<double> sum(object.points.size() * 3, 0.0);
    for (const tinyobj::index_t& corner : corners) {
        if (corner.vertex_index < 0 || std::size_t(corner.vertex_index) >= object.points.size())
            continue;
        const std::size_t n = std::size_t(corner.normal_index) * 3;
        const std::size_t p = std::size_t(corner.vertex_index) * 3;
        for (int axis = 0; axis < 3; ++axis)
            sum[p + std::size_t(axis)] += attrib.normals[n + std::size_t(axis)];
    }
    object.normals.resize(object.points.size());
    for (std::size_t i = 0; i < object.points.size(); ++i)
        object.normals[i] = Normalised(sum[3 * i], sum[3 * i + 1], sum[3 * i + 2]);
}

// Per point: the normalised sum of the vector areas (cross product of the diagonals) of the
// quadrilaterals around it. Polygons of another corner count or with bad indices are left
// out; the converter refuses such objects anyway.
void ComputedNormals(PreparedObject& object) {
    std::vector<double> sum(object.points.size() * 3, 0.0);
    const std::size_t pointCount = object.points.size();
    for (std::size_t i = 0; i < object.PolygonCount(); ++i) {
        const std::size_t begin = object.polygonStart[i];
        if (object.polygonStart[i + 1] - begin != 4) continue;
        std::int64_t c[4];
        bool valid = true;
        for (int k = 0; k < 4; ++k) {
            c[k] = object.corners[begin + std::size_t(k)];
            valid = valid && c[k] >= 0 && std::uint64_t(c[k]) < pointCount;
        }
        if (!valid) continue;
        const Vec3f& a = object.points[std::size_t(c[0])];
        const Vec3f& b = object.points[std::size_t(c[1])];
        const Vec3f& d = object.points[std::size_t(c[2])];
        const Vec3f& e = object.points[std::size_t(c[3])];
        const double u[3] = {double(d.x) - a.x, double(d.y) - a.y, double(d.z) - a.z};
        const double v[3] = {double(e.x) - b.x, double(e.y) - b.y, double(e.z) - b.z};
        const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                             u[0] * v[1] - u[1] * v[0]};
        for (int k = 0; k < 4; ++k)
            for (int axis = 0; axis < 3; ++axis)
                sum[std::size_t(c[k]) * 3 + std::size_t(axis)] += n[axis];
    }
    object.normals.resize(pointCount);
    for (std::size_t i = 0; i < pointCount; ++i)
        object.normals[i] = Normalised(sum[3 * i], sum[3 * i + 1], sum[3 * i + 2]);
}

// Our material index of every library material, filling object.materials: the 22 body part
// materials first, then the others in library order.
std::vector<std::int64_t> MapMaterials(const std::vector<tinyobj::material_t>& library,
                                       PreparedObject& object) {
    object.materials.assign(kBodyPartCount, PreparedMaterial{});
    for (BodyPartId id = 0; id < kBodyPartCount; ++id)
        object.materials[std::size_t(id)].name = BodyPartName(id);
    std::vector<std::int64_t> index(library.size());
    for (std::size_t i = 0; i < library.size(); ++i) {
        const tinyobj::material_t& source = library[i];
        PreparedMaterial material;
        material.colour = {ColourComponent(source.diffuse[0]), ColourComponent(source.diffuse[1]),
                           ColourComponent(source.diffuse[2])};
        material.dataBlock =
            ColourDataBlock(ColourByte(material.colour[0]), ColourByte(material.colour[1]),
                            ColourByte(material.colour[2]));
        if (const auto id = BodyPartOfMaterialName(source.name)) {
            index[i] = *id;
            if (object.hasBodyPartMaterial[std::size_t(*id)]) continue;  // the first one counts
            object.hasBodyPartMaterial[std::size_t(*id)] = true;
            material.name = BodyPartName(*id);
            object.materials[std::size_t(*id)] = std::move(material);
        } else {
            index[i] = std::int64_t(object.materials.size());
            material.name = source.name;
            object.materials.push_back(std::move(material));
        }
    }
    return index;
}

}  // namespace

std::optional<BodyPartId> BodyPartOfMaterialName(std::string_view name) {
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        const std::string_view catalogue = BodyPartName(id);
        if (catalogue.size() != name.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < name.size() && same; ++i) {
            const char c = name[i] == '_' ? ' ' : name[i];
            same = LowerAscii(c) == LowerAscii(catalogue[i]);
        }
        if (same) return id;
    }
    return std::nullopt;
}

std::vector<std::string> MaterialLibraryNames(const std::string& objText) {
    std::vector<std::string> names;
    std::istringstream lines(objText);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string keyword;
        if (!(words >> keyword) || keyword != "mtllib") continue;
        std::string name;
        while (words >> name) names.push_back(name);
    }
    return names;
}

bool ParseWavefrontObject(const std::string& objText, const std::string& mtlText,
                          PreparedObject& object, std::string* reason) {
    tinyobj::ObjReaderConfig config;
    config.triangulate = false;
    config.vertex_color = false;
    tinyobj::ObjReader reader;
    if (!reader.ParseFromString(objText, mtlText, config)) {
        std::string error = reader.Error();
        while (!error.empty() && (error.back() == '\n' || error.back() == '\r')) error.pop_back();
        return Fail(reason, "the OBJ text cannot be read" + (error.empty() ? "" : ": " + error));
    }
    const tinyobj::attrib_t& attrib = reader.GetAttrib();
    PreparedObject read;
    read.points.resize(attrib.vertices.size() / 3);
    for (std::size_t i = 0; i < read.points.size(); ++i)
        read.points[i] = {attrib.vertices[3 * i], attrib.vertices[3 * i + 1],
                          attrib.vertices[3 * i + 2]};
    const std::vector<std::int64_t> materialIndex = MapMaterials(reader.GetMaterials(), read);
    std::optional<std::int64_t> noMaterial;  // the material made for polygons without one

    const std::size_t normalCount = attrib.normals.size() / 3;
    bool everyCornerHasNormal = true;
    std::vector<tinyobj::index_t> allCorners;
    for (const tinyobj::shape_t& shape : reader.GetShapes()) {
        const tinyobj::mesh_t& mesh = shape.mesh;
        std::size_t next = 0;
        for (std::size_t face = 0; face < mesh.num_face_vertices.size(); ++face) {
            const std::size_t count = mesh.num_face_vertices[face];
            // The corner count is kept in a byte: a polygon of 256 or more corners shows up
            // as a count that does not use up the indices.
            if (count > mesh.indices.size() - next)
                return Fail(reason, "a polygon has more than 255 corners");
            for (std::size_t k = 0; k < count; ++k) {
                const tinyobj::index_t& corner = mesh.indices[next + k];
                read.corners.push_back(corner.vertex_index);
                if (corner.normal_index < 0) {
                    everyCornerHasNormal = false;
                } else if (std::size_t(corner.normal_index) >= normalCount) {
                    return Fail(reason, "polygon " + std::to_string(read.PolygonCount()) +
                                            " names normal " + std::to_string(corner.normal_index) +
                                            ", but the file has " + std::to_string(normalCount) +
                                            " normals");
                }
                allCorners.push_back(corner);
            }
            next += count;
            read.polygonStart.push_back(read.corners.size());
            const int id = face < mesh.material_ids.size() ? mesh.material_ids[face] : -1;
            if (id >= 0 && std::size_t(id) < materialIndex.size()) {
                read.polygonMaterial.push_back(materialIndex[std::size_t(id)]);
            } else {
                if (!noMaterial) {
                    noMaterial = std::int64_t(read.materials.size());
                    PreparedMaterial none;
                    none.name = "(no material)";
                    none.dataBlock = ColourDataBlock(127, 127, 127);
                    read.materials.push_back(std::move(none));
                }
                read.polygonMaterial.push_back(*noMaterial);
            }
        }
        if (next != mesh.indices.size()) return Fail(reason, "a polygon has more than 255 corners");
    }
    if (everyCornerHasNormal && !allCorners.empty())
        NormalsFromFile(attrib, allCorners, read);
    else
        ComputedNormals(read);
    object = std::move(read);
    return true;
}

bool ReadWavefrontFile(const std::string& path, PreparedObject& object, std::string* reason) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes, reason)) return false;
    const std::string objText(bytes.begin(), bytes.end());
    std::string mtlText;
    for (const std::string& name : MaterialLibraryNames(objText)) {
        const std::string libraryPath = name.front() == '/' ? name : FolderOf(path) + "/" + name;
        std::vector<std::uint8_t> library;
        std::string why;
        if (!ReadWholeFile(libraryPath, library, &why))
            return Fail(reason, "the material library " + libraryPath + " cannot be read: " + why);
        mtlText.append(library.begin(), library.end());
        mtlText += '\n';
    }
    return ParseWavefrontObject(objText, mtlText, object, reason);
}

}  // namespace bw
