// Disjoint sets over the numbers 0 .. n-1 (union-find with path halving): which numbers have
// been joined, directly or through others.
#pragma once

#include <cstdint>
#include <vector>

namespace bw {

class DisjointSets {
  public:
    explicit DisjointSets(std::uint32_t count);
    // The representative of the set holding `i`: the smallest number joined with it.
    std::uint32_t Find(std::uint32_t i);
    void Join(std::uint32_t a, std::uint32_t b);

  private:
    std::vector<std::uint32_t> parent_;
};

}  // namespace bw
