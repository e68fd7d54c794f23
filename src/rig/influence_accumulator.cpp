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
    // The largest entries by insertion into a short list: earlier entries first on equal
    // weights would depend on the order of adding, so equal weights go by joint index.
    const auto before = [](const Entry& a, const Entry& b) {
        return a.weight != b.weight ? a.weight > b.weight : a.joint < b.joint;
    };
    PointWeights result;
    if (count_ == 1) {  // the common case: a point of one joint only
        result.influences[0] = {entries_[0].joint, 1.0f};
        result.count = 1;
        return result;
    }
    std::array<Entry, kMaxInfluences> top{};
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count_; ++i) {
        const Entry& entry = entries_[i];
        std::size_t at = kept;
        while (at > 0 && before(entry, top[at - 1])) --at;
        if (at >= kMaxInfluences) continue;
        for (std::size_t k = std::min(kept, kMaxInfluences - 1); k > at; --k) top[k] = top[k - 1];
        top[at] = entry;
        kept = std::min(kept + 1, kMaxInfluences);
    }
    double sum = 0.0;
    for (std::size_t i = 0; i < kept; ++i) sum += top[i].weight;
    if (!(sum > 0.0) || !std::isfinite(sum)) return result;
    for (std::size_t i = 0; i < kept; ++i)
        result.influences[i] = {top[i].joint, float(top[i].weight / sum)};
    result.count = std::uint8_t(kept);
    return result;
}

}  // namespace bw
