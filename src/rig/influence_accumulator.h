// Collects weighted joints for one point, adding the weights of a joint named twice, and
// yields the point's influences: the kMaxInfluences largest (equal weights by lower joint
// index), normalised to sum to one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/body_part_catalogue.h"
#include "rig/point_weights.h"

namespace bw {

class InfluenceAccumulator {
  public:
    void Clear() { count_ = 0; }
    // Ignores a weight that is not positive and finite, and a new joint once kBodyPartCount
    // distinct joints are held (a skeleton has at most one joint per body part).
    void Add(std::uint16_t joint, double weight);
    // No influences when nothing positive was added.
    PointWeights Result() const;

  private:
    struct Entry {
        std::uint16_t joint = 0;
        double weight = 0.0;
    };
    std::array<Entry, kBodyPartCount> entries_{};
    std::size_t count_ = 0;
};

}  // namespace bw
