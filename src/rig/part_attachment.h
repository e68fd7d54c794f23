// Where a body part hangs in the catalogue's attachment tree: under the body part whose
// attached chain (ChainsOfTypeCode) has it as the direct neighbour. The upper body is the top
// of the tree and hangs from nothing.
#pragma once

#include <optional>

#include "model/body_part_catalogue.h"

namespace bw {

struct PartAttachment {
    TypeCode parent;
    int parentSet;  // the parent's set that meets the part (1-based)
    int ownSet;     // the part's set that meets the parent (1-based)
};

// Nullopt for the top of the tree and for invalid type codes.
std::optional<PartAttachment> AttachmentOf(TypeCode code);

}  // namespace bw
