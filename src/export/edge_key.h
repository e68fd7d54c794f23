// The key of an undirected edge between two points numbered below 2^32: the same for (a, b)
// and (b, a), and different for every other pair.
#pragma once

#include <algorithm>
#include <cstdint>

namespace bw {

inline std::uint64_t UndirectedEdgeKey(std::uint32_t a, std::uint32_t b) {
    return std::uint64_t(std::min(a, b)) << 32 | std::max(a, b);
}

}  // namespace bw
