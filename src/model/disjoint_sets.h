// Disjoint sets of the numbers 0 to n - 1, joined by union and found with path halving.
#pragma once

#include <cstddef>
#include <numeric>
#include <vector>

namespace bw {

class DisjointSets {
  public:
    explicit DisjointSets(std::size_t count) : parent_(count) {
        std::iota(parent_.begin(), parent_.end(), std::size_t(0));
    }
    // The number that stands for the set holding `i`.
    std::size_t Find(std::size_t i) {
        while (parent_[i] != i) i = parent_[i] = parent_[parent_[i]];
        return i;
    }
    void Join(std::size_t a, std::size_t b) { parent_[Find(a)] = Find(b); }

  private:
    std::vector<std::size_t> parent_;
};

}  // namespace bw
