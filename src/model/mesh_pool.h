// The meshes that stored copies of parts refer to, found again by their file image, so that a
// part loaded from the same file again (a random creature coming back to a file, a project
// loaded twice) shares the copy already kept instead of adding one. Holds no mesh alive itself.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include "model/part_object.h"

namespace bw {

class MeshPool {
  public:
    // A kept mesh of the same file image as `part` (PartObject::SameMeshAs), or null.
    std::shared_ptr<const PartObject> Find(const PartObject& part);
    // A kept copy of `part`'s mesh: one found, or a new clone of `part` added to the pool.
    // Throws std::bad_alloc when memory runs out.
    std::shared_ptr<const PartObject> Keep(const PartObject& part);
    void Clear() { meshes_.clear(); }

  private:
    // By the path the mesh was read from; expired entries are dropped as they are met.
    std::unordered_multimap<std::string, std::weak_ptr<const PartObject>> meshes_;
};

}  // namespace bw
