#include "rig/disjoint_sets.h"

#include <algorithm>
#include <numeric>

namespace bw {

DisjointSets::DisjointSets(std::uint32_t count) : parent_(count) {
    std::iota(parent_.begin(), parent_.end(), 0U);
}

std::uint32_t DisjointSets::Find(std::uint32_t i) {
    while (parent_[i] != i) i = parent_[i] = parent_[parent_[i]];
    return i;
}

void DisjointSets::Join(std::uint32_t a, std::uint32_t b) {
    const std::uint32_t ra = Find(a);
    const std::uint32_t rb = Find(b);
    parent_[std::max(ra, rb)] = std::min(ra, rb);
}

}  // namespace bw
