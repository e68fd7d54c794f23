#include "rig/part_attachment.h"

#include <array>

namespace bw {
namespace {

using AttachmentTable = std::array<std::optional<PartAttachment>, kBodyPartCount>;

AttachmentTable BuildAttachmentTable() {
    AttachmentTable table{};
    for (int code = 0; code < kBodyPartCount; ++code) {
        for (const AttachedChain& chain : ChainsOfTypeCode(TypeCode{code})) {
            if (chain.chain.empty() || !IsValidTypeCode(chain.chain.front())) continue;
            table[std::size_t(chain.chain.front())] =
                PartAttachment{TypeCode{code}, chain.ownSet, chain.neighbourSet};
        }
    }
    return table;
}

}  // namespace

std::optional<PartAttachment> AttachmentOf(TypeCode code) {
    static const AttachmentTable table = BuildAttachmentTable();
    return IsValidTypeCode(code) ? table[std::size_t(code)] : std::nullopt;
}

}  // namespace bw
