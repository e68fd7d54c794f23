#include "model/mesh_pool.h"

#include <new>

namespace bw {

std::shared_ptr<const PartObject> MeshPool::Find(const PartObject& part) {
    auto [it, end] = meshes_.equal_range(part.Name());
    while (it != end) {
        std::shared_ptr<const PartObject> mesh = it->second.lock();
        if (!mesh) {
            it = meshes_.erase(it);
            continue;
        }
        if (mesh->SameMeshAs(part)) return mesh;
        ++it;
    }
    return nullptr;
}

std::shared_ptr<const PartObject> MeshPool::Keep(const PartObject& part) {
    if (auto found = Find(part)) return found;
    std::unique_ptr<PartObject> copy = part.Clone();
    if (!copy) throw std::bad_alloc();
    std::shared_ptr<const PartObject> mesh(std::move(copy));
    meshes_.emplace(part.Name(), mesh);
    return mesh;
}

}  // namespace bw
