#include "rig/influence_accumulator.h"

#include <algorithm>
#include <cmath>

namespace bw {

void InfluenceAccumulator::Add(std::uint16_t joint, double weight) {
    if (!(weight > 0.0) || !std::isfinite(weight)) return;
    for (std::size_t i = 0; i < count_; ++i) {
        if (entries_[i].joint == joint) {
            entries_[i].weight += weight;
            return;
        }
    }
    if (count_ < entries_.size()) entries_[count_++] = {joint, weight};
}

PointWeights InfluenceAccumulator::Result() const {
    std::array<Entry, kBodyPartCount> sorted = entries_;
    const std::size_t kept = std::min(count_, kMaxInfluences);
    std::partial_sort(sorted.begin(), sorted.begin() + std::ptrdiff_t(kept),
                      sorted.begin() + std::ptrdiff_t(count_), [](const Entry& a, const Entry& b) {
                          return a.weight != b.weight ? a.weight > b.weight : a.joint < b.joint;
                      });
    double sum = 0.0;
    for (std::size_t i = 0; i < kept; ++i) sum += sorted[i].weight;
    PointWeights result;
    if (!(sum > 0.0) || !std::isfinite(sum)) return result;
    for (std::size_t i = 0; i < kept; ++i)
        result.influences[i] = {sorted[i].joint, float(sorted[i].weight / sum)};
    result.count = std::uint8_t(kept);
    return result;
}

}  // namespace bw
