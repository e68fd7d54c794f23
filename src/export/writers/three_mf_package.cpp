#include "export/writers/three_mf_package.h"

#include <Model/COM/NMR_DLLInterfaces.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <vector>

namespace bw {
namespace {

// A handle of the library's, released when it goes out of scope.
struct Release {
    void operator()(NMR::PLib3MFBase* instance) const { NMR::lib3mf_release(instance); }
};
using Handle = std::unique_ptr<NMR::PLib3MFBase, Release>;

// The library's own message for the last failure of `instance`, or `fallback`.
std::string LastError(NMR::PLib3MFBase* instance, const std::string& fallback) {
    DWORD code = 0;
    LPCSTR message = nullptr;
    if (instance && NMR::lib3mf_getlasterror(instance, &code, &message) == LIB3MF_OK && message &&
        *message)
        return fallback + ": " + message;
    return fallback;
}

// A UUID made from the mesh's bytes and `salt`, so that the same creature gives the same
// package and the identifiers of different creatures differ: two 64-bit FNV-1a hashes, with
// the version (4) and variant bits of a UUID.
std::string MeshUuid(const std::vector<NMR::MODELMESHVERTEX>& vertices,
                     const std::vector<NMR::MODELMESHTRIANGLE>& triangles, std::uint64_t salt) {
    std::uint64_t high = 1469598103934665603ull ^ salt, low = 1099511628211ull * (salt + 1);
    const auto mix = [&](const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            high = (high ^ bytes[i]) * 1099511628211ull;
            low = (low ^ bytes[i] ^ (high >> 29)) * 1099511628211ull;
        }
    };
    mix(vertices.data(), vertices.size() * sizeof(NMR::MODELMESHVERTEX));
    mix(triangles.data(), triangles.size() * sizeof(NMR::MODELMESHTRIANGLE));
    high = (high & ~0xf000ull) | 0x4000ull;
    low = (low & ~(3ull << 62)) | (2ull << 62);
    char text[37];
    std::snprintf(text, sizeof text, "%08x-%04x-%04x-%04x-%012llx", unsigned(high >> 32),
                  unsigned(high >> 16 & 0xffff), unsigned(high & 0xffff), unsigned(low >> 48),
                  static_cast<unsigned long long>(low & 0xffffffffffffull));
    return text;
}

// The stream the library writes the package to: bytes at a position that seeks may move back.
// Both calls answer 0 for success, as the library expects.
struct MemoryStream {
    std::string& bytes;
    std::size_t position = 0;

    static std::uint32_t Write(unsigned char* data, std::uint32_t count, void* user) {
        auto& stream = *static_cast<MemoryStream*>(user);
        try {
            if (stream.bytes.size() < stream.position + count)
                stream.bytes.resize(stream.position + count);
        } catch (const std::bad_alloc&) {
            return 1;
        }
        std::memcpy(stream.bytes.data() + stream.position, data, count);
        stream.position += count;
        return 0;
    }
    static std::uint32_t Seek(std::uint64_t position, void* user) {
        auto& stream = *static_cast<MemoryStream*>(user);
        if (position > stream.bytes.size()) return 1;
        stream.position = std::size_t(position);
        return 0;
    }
};

BYTE ColourByte(float channel) {
    return BYTE(std::lround(std::clamp(double(channel), 0.0, 1.0) * 255.0));
}

// Each step below adds to the package; false, with `reason` set, when the library refuses.
using Failure = std::function<bool(NMR::PLib3MFBase*, const std::string&)>;

// The surfaces' colours as one group of base materials (display colours: the file's are sRGB),
// each surface's index in it into `materialIndex`.
bool AddMaterials(NMR::PLib3MFModel* model, const WeldedSurface& surface, Handle& group,
                  DWORD& groupId, std::vector<DWORD>& materialIndex, const Failure& fail) {
    NMR::PLib3MFModelBaseMaterial* rawGroup = nullptr;
    if (NMR::lib3mf_model_addbasematerialgroup(model, &rawGroup) != LIB3MF_OK)
        return fail(model, "add the materials");
    group.reset(rawGroup);
    for (const ExportSurface& material : surface.surfaces) {
        DWORD index = 0;
        if (NMR::lib3mf_basematerial_addmaterialutf8(
                rawGroup, material.name.c_str(), ColourByte(material.colour[0]),
                ColourByte(material.colour[1]), ColourByte(material.colour[2]),
                &index) != LIB3MF_OK)
            return fail(rawGroup, "add a material");
        // Adding a material leaves it transparent: the colour is set again, opaque.
        if (NMR::lib3mf_basematerial_setdisplaycolorrgba(
                rawGroup, index, ColourByte(material.colour[0]), ColourByte(material.colour[1]),
                ColourByte(material.colour[2]), 255) != LIB3MF_OK)
            return fail(rawGroup, "colour a material");
        materialIndex.push_back(index);
    }
    if (NMR::lib3mf_basematerial_getresourceid(rawGroup, &groupId) != LIB3MF_OK)
        return fail(rawGroup, "number the materials");
    return true;
}

// Every triangle its surface's material, and the object as a whole the first triangle's.
bool ColourTriangles(NMR::PLib3MFModelMeshObject* mesh, const WeldedSurface& surface, DWORD groupId,
                     const std::vector<DWORD>& materialIndex, const Failure& fail) {
    NMR::PLib3MFPropertyHandler* rawProperties = nullptr;
    if (NMR::lib3mf_meshobject_createpropertyhandler(mesh, &rawProperties) != LIB3MF_OK)
        return fail(mesh, "colour the mesh");
    const Handle properties(rawProperties);
    if (materialIndex.empty()) return true;
    const std::size_t count = surface.triangles.size();
    std::vector<NMR::ModelResourceID> groups(count, groupId);
    std::vector<DWORD> indices(count, 0);
    for (std::size_t t = 0; t < count; ++t) {
        const std::uint32_t s =
            t < surface.triangleSurfaces.size() ? surface.triangleSurfaces[t] : 0;
        indices[t] = s < materialIndex.size() ? materialIndex[s] : 0;
    }
    if (NMR::lib3mf_propertyhandler_setbasematerialarray(rawProperties, groups.data(),
                                                         indices.data()) != LIB3MF_OK)
        return fail(rawProperties, "colour the triangles");
    // A mesh whose triangles have materials needs one for the object as a whole too.
    NMR::PLib3MFDefaultPropertyHandler* rawDefault = nullptr;
    if (NMR::lib3mf_object_createdefaultpropertyhandler(mesh, &rawDefault) != LIB3MF_OK)
        return fail(mesh, "colour the mesh");
    const Handle objectDefault(rawDefault);
    if (NMR::lib3mf_defaultpropertyhandler_setbasematerial(rawDefault, groupId, indices[0]) !=
        LIB3MF_OK)
        return fail(rawDefault, "colour the mesh");
    return true;
}

// The package's bytes, written once into memory: the library writes its stream front to back
// and seeks back only to mend headers.
bool WritePackage(NMR::PLib3MFModel* model, std::string& bytes, const Failure& fail) {
    NMR::PLib3MFModelWriter* rawWriter = nullptr;
    if (NMR::lib3mf_model_querywriter(model, "3mf", &rawWriter) != LIB3MF_OK)
        return fail(model, "start a writer");
    const Handle writer(rawWriter);
    MemoryStream stream{bytes};
    bytes.clear();
    if (NMR::lib3mf_writer_writetocallback(rawWriter, reinterpret_cast<void*>(&MemoryStream::Write),
                                           reinterpret_cast<void*>(&MemoryStream::Seek),
                                           &stream) != LIB3MF_OK)
        return fail(rawWriter, "write the package");
    return true;
}

}  // namespace

bool EncodeThreeMfPackage(const WeldedSurface& surface, std::string& bytes, std::string* reason) {
    const Failure fail = [&](NMR::PLib3MFBase* instance, const std::string& what) {
        if (reason) *reason = LastError(instance, "the 3MF library failed to " + what);
        return false;
    };
    // What a package can hold: at least one triangle, every corner one of the points, counts
    // the library's 32-bit sizes can take.
    const auto refuse = [&](const std::string& why) {
        if (reason) *reason = why;
        return false;
    };
    if (surface.triangles.empty()) return refuse("a 3MF package needs at least one triangle");
    if (surface.points.size() > UINT32_MAX || surface.triangles.size() > UINT32_MAX)
        return refuse("the creature has more points or triangles than a 3MF package can hold");
    for (const auto& triangle : surface.triangles)
        for (std::uint32_t corner : triangle)
            if (corner >= surface.points.size())
                return refuse("a triangle names a point that is not there");

    NMR::PLib3MFModel* rawModel = nullptr;
    if (NMR::lib3mf_createmodel(&rawModel) != LIB3MF_OK) return fail(nullptr, "start a model");
    const Handle model(rawModel);
    if (NMR::lib3mf_model_setunit(rawModel, NMR::MODELUNIT_MILLIMETER) != LIB3MF_OK)
        return fail(rawModel, "set the unit");
    Handle group;
    DWORD groupId = 0;
    std::vector<DWORD> materialIndex;
    if (!AddMaterials(rawModel, surface, group, groupId, materialIndex, fail)) return false;

    NMR::PLib3MFModelMeshObject* rawMesh = nullptr;
    if (NMR::lib3mf_model_addmeshobject(rawModel, &rawMesh) != LIB3MF_OK)
        return fail(rawModel, "add the mesh");
    const Handle mesh(rawMesh);
    if (NMR::lib3mf_object_setnameutf8(rawMesh, "creature") != LIB3MF_OK)
        return fail(rawMesh, "name the mesh");
    std::vector<NMR::MODELMESHVERTEX> vertices(surface.points.size());
    for (std::size_t i = 0; i < surface.points.size(); ++i) {
        const Vec3f& p = surface.points[i];
        vertices[i] = {{p.x, p.y, p.z}};
    }
    std::vector<NMR::MODELMESHTRIANGLE> triangles(surface.triangles.size());
    for (std::size_t t = 0; t < surface.triangles.size(); ++t) {
        const auto& c = surface.triangles[t];
        triangles[t] = {{DWORD(c[0]), DWORD(c[1]), DWORD(c[2])}};
    }
    if (NMR::lib3mf_meshobject_setgeometry(rawMesh, vertices.data(), DWORD(vertices.size()),
                                           triangles.data(), DWORD(triangles.size())) != LIB3MF_OK)
        return fail(rawMesh, "take the mesh");
    if (!ColourTriangles(rawMesh, surface, groupId, materialIndex, fail)) return false;

    NMR::PLib3MFModelBuildItem* rawItem = nullptr;
    if (NMR::lib3mf_model_addbuilditem(rawModel, rawMesh, nullptr, &rawItem) != LIB3MF_OK)
        return fail(rawModel, "place the mesh");
    const Handle item(rawItem);
    // The library draws random identifiers; these make the package the same on every export.
    if (NMR::lib3mf_object_setuuidutf8(rawMesh, MeshUuid(vertices, triangles, 1).c_str()) !=
            LIB3MF_OK ||
        NMR::lib3mf_builditem_setuuidutf8(rawItem, MeshUuid(vertices, triangles, 2).c_str()) !=
            LIB3MF_OK ||
        NMR::lib3mf_model_setbuilduuidutf8(rawModel, MeshUuid(vertices, triangles, 3).c_str()) !=
            LIB3MF_OK)
        return fail(rawModel, "name the mesh");
    return WritePackage(rawModel, bytes, fail);
}

}  // namespace bw
