// Fingerprints of a creature's parts: which part object stands at a place in the list, and for
// which body part, so that a part added, removed or replaced changes the fingerprint.
#pragma once

#include <cstdint>

#include "model/byte_hash.h"
#include "model/part_object.h"

namespace bw {

// `hash` carried on over the part's address and, for a part that is there, its body part.
inline std::uint64_t HashPartIdentity(std::uint64_t hash, const PartObject* part) {
    const auto address = reinterpret_cast<std::uintptr_t>(part);
    hash = HashBytes(hash, &address, sizeof address);
    if (part != nullptr) hash = HashBytes(hash, &part->bodyPart, sizeof part->bodyPart);
    return hash;
}

}  // namespace bw
