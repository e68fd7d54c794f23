#include "export/writers/export_scene.h"

#include <assimp/material.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <vector>

namespace bw {
namespace {

constexpr const char* kRootName = "creature";

// Display value (as the preview shows a colour) to the linear value a physically based
// material expects.
float LinearChannel(float display) {
    return display <= 0.04045f ? display / 12.92f
                               : float(std::pow((double(display) + 0.055) / 1.055, 2.4));
}

aiMaterial* NewMaterial(const std::string& name, const std::array<float, 3>& colour,
                        const ExportFormat& format) {
    auto* material = new aiMaterial();
    const aiString materialName(name);
    material->AddProperty(&materialName, AI_MATKEY_NAME);
    aiColor4D c(colour[0], colour[1], colour[2], 1.0f);
    if (format.linearColours) {
        c = aiColor4D(LinearChannel(colour[0]), LinearChannel(colour[1]), LinearChannel(colour[2]),
                      1.0f);
        // The preview lights surfaces without highlights: a matte, non-metallic material.
        const float metallic = 0.0f, roughness = 1.0f;
        material->AddProperty(&metallic, 1, AI_MATKEY_METALLIC_FACTOR);
        material->AddProperty(&roughness, 1, AI_MATKEY_ROUGHNESS_FACTOR);
    }
    material->AddProperty(&c, 1, AI_MATKEY_COLOR_DIFFUSE);
    material->AddProperty(&c, 1, AI_MATKEY_BASE_COLOR);
    return material;
}

aiVector3D ToAi(const Vec3f& v) { return {v.x, v.y, v.z}; }

// The 4x4 matrix of `rotation` after the translation by `offset`.
aiMatrix4x4 RotationThenTranslation(const Quaternion& rotation, const Vec3d& offset) {
    const std::array<double, 9> r = RotationMatrix(rotation);
    return aiMatrix4x4(ai_real(r[0]), ai_real(r[1]), ai_real(r[2]), ai_real(offset.x),
                       ai_real(r[3]), ai_real(r[4]), ai_real(r[5]), ai_real(offset.y),
                       ai_real(r[6]), ai_real(r[7]), ai_real(r[8]), ai_real(offset.z), 0, 0, 0, 1);
}

// The influences of a point as the file holds them: the weights as floats that sum to one as
// closely as floats can (the last takes what the others leave), joints outside the skeleton
// and weights too small to be told from nothing once normalised left out (a reader takes a
// joint with zero weight for a fault).
std::vector<Influence> FileInfluences(const PointWeights& weights, std::size_t jointCount) {
    constexpr double kNegligible = 1e-6;
    std::vector<Influence> influences;
    double total = 0.0;
    for (const Influence& influence : weights.Used()) {
        if (influence.joint >= jointCount || !(influence.weight > 0.0f)) continue;
        influences.push_back(influence);
        total += influence.weight;
    }
    std::erase_if(influences, [total](const Influence& influence) {
        return influence.weight / total < kNegligible;
    });
    total = 0.0;
    for (const Influence& influence : influences) total += influence.weight;
    if (influences.empty()) return influences;
    float others = 0.0f;
    for (std::size_t k = 0; k + 1 < influences.size(); ++k) {
        influences[k].weight = float(influences[k].weight / total);
        others += influences[k].weight;
    }
    influences.back().weight = 1.0f - others;
    return influences;
}

// A bone for every joint that moves a point of `mesh` (points `used` of `part`), by joint.
void AddBones(aiMesh& mesh, const PartGeometry& part, const std::vector<std::uint32_t>& used,
              std::span<const ExportJoint> skeleton, bool blankFree) {
    std::map<std::uint16_t, std::vector<aiVertexWeight>> bones;
    for (std::size_t i = 0; i < used.size(); ++i) {
        for (const Influence& influence : FileInfluences(part.weights[used[i]], skeleton.size()))
            bones[influence.joint].emplace_back(unsigned(i), influence.weight);
    }
    if (bones.empty()) return;
    mesh.mBones = new aiBone* [bones.size()] {};
    for (const auto& [joint, weights] : bones) {
        auto* bone = mesh.mBones[mesh.mNumBones++] = new aiBone();
        bone->mName = aiString(ExportName(skeleton[joint].name, blankFree));
        const Vec3d& rest = skeleton[joint].restPosition;
        bone->mOffsetMatrix = RotationThenTranslation({}, {-rest.x, -rest.y, -rest.z});
        bone->mNumWeights = unsigned(weights.size());
        bone->mWeights = new aiVertexWeight[weights.size()];
        std::copy(weights.begin(), weights.end(), bone->mWeights);
    }
}

// The polygons of `part` on `surface` as a mesh of its own, holding only the points they use;
// with a skeleton, their bones too.
aiMesh* NewSurfaceMesh(const PartGeometry& part, std::uint16_t surface, const std::string& name,
                       const ExportFormat& format, std::span<const ExportJoint> skeleton) {
    std::vector<std::uint32_t> meshIndex(part.points.size(), UINT32_MAX);
    std::vector<std::uint32_t> used;
    std::vector<std::vector<std::uint32_t>> faces;
    for (const ExportPolygon& polygon : part.polygons) {
        if (polygon.surface != surface) continue;
        std::vector<std::uint32_t> corners;
        for (std::uint32_t k = 0; k < polygon.cornerCount; ++k) {
            std::uint32_t& index = meshIndex[polygon.corners[k]];
            if (index == UINT32_MAX) {
                index = std::uint32_t(used.size());
                used.push_back(polygon.corners[k]);
            }
            corners.push_back(index);
        }
        if (format.trianglesOnly && corners.size() == 4) {
            faces.push_back({corners[0], corners[1], corners[2]});
            faces.push_back({corners[0], corners[2], corners[3]});
        } else {
            faces.push_back(std::move(corners));
        }
    }

    auto* mesh = new aiMesh();
    mesh->mName = aiString(name);
    mesh->mNumVertices = static_cast<unsigned>(used.size());
    mesh->mVertices = new aiVector3D[used.size()];
    mesh->mNormals = new aiVector3D[used.size()];
    for (std::size_t i = 0; i < used.size(); ++i) {
        mesh->mVertices[i] = ToAi(part.points[used[i]]);
        mesh->mNormals[i] = ToAi(part.normals[used[i]]);
    }
    mesh->mNumFaces = static_cast<unsigned>(faces.size());
    mesh->mFaces = new aiFace[faces.size()];
    for (std::size_t f = 0; f < faces.size(); ++f) {
        aiFace& face = mesh->mFaces[f];
        face.mNumIndices = static_cast<unsigned>(faces[f].size());
        face.mIndices = new unsigned[faces[f].size()];
        std::copy(faces[f].begin(), faces[f].end(), face.mIndices);
        mesh->mPrimitiveTypes |=
            face.mNumIndices == 3 ? aiPrimitiveType_TRIANGLE : aiPrimitiveType_POLYGON;
    }
    if (!skeleton.empty() && part.weights.size() == part.points.size())
        AddBones(*mesh, part, used, skeleton, format.blankFreeNames);
    return mesh;
}

// The node of joint `j` and, below it, those of its children.
aiNode* NewJointNode(std::span<const ExportJoint> skeleton, std::size_t j,
                     const std::vector<std::vector<std::size_t>>& children, bool blankFree) {
    const ExportJoint& joint = skeleton[j];
    auto* node = new aiNode(ExportName(joint.name, blankFree));
    Vec3d offset = joint.restPosition;
    if (joint.parent && *joint.parent < j) {
        const Vec3d& parent = skeleton[*joint.parent].restPosition;
        offset = {offset.x - parent.x, offset.y - parent.y, offset.z - parent.z};
    }
    node->mTransformation = RotationThenTranslation(joint.rotation, offset);
    if (children[j].empty()) return node;
    node->mChildren = new aiNode* [children[j].size()] {};
    for (std::size_t child : children[j]) {
        aiNode* childNode = node->mChildren[node->mNumChildren++] =
            NewJointNode(skeleton, child, children, blankFree);
        childNode->mParent = node;
    }
    return node;
}

// The nodes of the joints, under `root`.
void AddJointNodes(aiNode& root, std::span<const ExportJoint> skeleton, bool blankFree) {
    std::vector<std::vector<std::size_t>> children(skeleton.size());
    std::vector<std::size_t> roots;
    for (std::size_t j = 0; j < skeleton.size(); ++j) {
        const auto parent = skeleton[j].parent;
        (parent && *parent < j ? children[*parent] : roots).push_back(j);
    }
    if (roots.empty()) return;
    root.mChildren = new aiNode* [roots.size()] {};
    for (std::size_t j : roots) {
        aiNode* node = root.mChildren[root.mNumChildren++] =
            NewJointNode(skeleton, j, children, blankFree);
        node->mParent = &root;
    }
}

}  // namespace

std::string ExportName(const std::string& text, bool blankFree) {
    const std::string quoted =
        nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    std::string name = nlohmann::json::parse(quoted).get<std::string>();
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f || (blankFree && c == ' ')) c = '_';
    }
    return name;
}

namespace {

// The scene of `parts`, with bones when `skeleton` is not empty; see export_scene.h.
std::unique_ptr<aiScene> NewPartsScene(std::span<const PartGeometry> parts,
                                       std::span<const ExportJoint> skeleton,
                                       const ExportFormat& format, bool typeInSurfaceNames) {
    const bool rigged = !skeleton.empty();
    // The surfaces each part's polygons use, and so the number of meshes and materials.
    std::vector<std::vector<bool>> used;
    unsigned meshCount = 0;
    for (const PartGeometry& part : parts) {
        used.emplace_back(part.surfaces.size(), false);
        for (const ExportPolygon& polygon : part.polygons) {
            meshCount += !used.back()[polygon.surface];
            used.back()[polygon.surface] = true;
        }
    }
    // The scene owns every array as soon as it exists (its entries null until filled), so
    // nothing leaks if memory runs out half way.
    auto scene = std::make_unique<aiScene>();
    scene->mRootNode = new aiNode(kRootName);
    scene->mMeshes = new aiMesh* [meshCount] {};
    scene->mNumMeshes = meshCount;
    scene->mMaterials = new aiMaterial* [meshCount] {};
    scene->mNumMaterials = meshCount;
    aiNode& root = *scene->mRootNode;
    if (rigged) {
        root.mMeshes = new unsigned[meshCount];
    } else {
        root.mChildren = new aiNode* [parts.size()] {};
        root.mNumChildren = unsigned(parts.size());
    }

    const std::string blank = format.blankFreeNames ? "_" : " ";
    std::set<std::string> materialNames;
    unsigned mesh = 0;
    for (std::size_t p = 0; p < parts.size(); ++p) {
        const PartGeometry& part = parts[p];
        const std::string partName = ExportName(part.bodyPart, format.blankFreeNames);
        aiNode* node = &root;
        if (!rigged) {
            node = root.mChildren[p] = new aiNode(partName);
            node->mParent = &root;
            const auto surfaces = std::count(used[p].begin(), used[p].end(), true);
            node->mMeshes = new unsigned[std::size_t(surfaces)];
        }
        for (std::size_t s = 0; s < used[p].size(); ++s) {
            if (!used[p][s]) continue;
            const ExportSurface& surface = part.surfaces[s];
            const std::string surfaceName =
                surface.name.empty() ? "surface" + blank + std::to_string(s) : surface.name;
            const std::string name =
                ExportName(ExportSurfaceName(partName, surfaceName, typeInSurfaceNames, blank),
                           format.blankFreeNames);
            // Two surfaces of one part may share a name; materials may not.
            std::string materialName = name;
            for (int copy = 2; materialNames.count(materialName); ++copy)
                materialName = name + blank + std::to_string(copy);
            materialNames.insert(materialName);
            scene->mMaterials[mesh] = NewMaterial(materialName, surface.colour, format);
            scene->mMeshes[mesh] =
                NewSurfaceMesh(part, std::uint16_t(s), partName, format, skeleton);
            scene->mMeshes[mesh]->mMaterialIndex = mesh;
            node->mMeshes[node->mNumMeshes++] = mesh++;
        }
    }
    if (rigged) AddJointNodes(root, skeleton, format.blankFreeNames);
    return scene;
}

}  // namespace

std::unique_ptr<aiScene> PartsScene(std::span<const PartGeometry> parts, const ExportFormat& format,
                                    bool typeInSurfaceNames) {
    return NewPartsScene(parts, {}, format, typeInSurfaceNames);
}

std::unique_ptr<aiScene> RiggedPartsScene(std::span<const PartGeometry> parts,
                                          std::span<const ExportJoint> skeleton,
                                          const ExportFormat& format, bool typeInSurfaceNames) {
    return NewPartsScene(parts, skeleton, format, typeInSurfaceNames);
}

std::unique_ptr<aiScene> WeldedSurfaceScene(const WeldedSurface& surface) {
    auto scene = std::make_unique<aiScene>();
    scene->mRootNode = new aiNode(kRootName);
    scene->mNumMaterials = 1;
    scene->mMaterials = new aiMaterial*[1];
    scene->mMaterials[0] = NewMaterial(kRootName, {0.5f, 0.5f, 0.5f}, ObjExportFormat());
    scene->mNumMeshes = 1;
    scene->mMeshes = new aiMesh*[1];
    auto* mesh = scene->mMeshes[0] = new aiMesh();
    mesh->mName = aiString(kRootName);
    mesh->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
    // Every triangle has corners of its own, each with the triangle's normal: the facet
    // normal a slicer checks the winding against.
    const std::size_t count = surface.triangles.size();
    mesh->mNumVertices = unsigned(3 * count);
    mesh->mVertices = new aiVector3D[3 * count];
    mesh->mNormals = new aiVector3D[3 * count];
    mesh->mNumFaces = unsigned(count);
    mesh->mFaces = new aiFace[count];
    for (std::size_t f = 0; f < count; ++f) {
        const auto& triangle = surface.triangles[f];
        const Vec3f normal = FacetNormal(surface, triangle);
        aiFace& face = mesh->mFaces[f];
        face.mNumIndices = 3;
        face.mIndices = new unsigned[3];
        for (std::size_t k = 0; k < 3; ++k) {
            const std::size_t corner = 3 * f + k;
            mesh->mVertices[corner] = ToAi(surface.points[triangle[k]]);
            mesh->mNormals[corner] = ToAi(normal);
            face.mIndices[k] = unsigned(corner);
        }
    }
    scene->mRootNode->mNumMeshes = 1;
    scene->mRootNode->mMeshes = new unsigned[1]{0};
    return scene;
}

}  // namespace bw
