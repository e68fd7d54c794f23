#include "select/random_source.h"

#include <ctime>

namespace bw {

ClockSeededRandom::ClockSeededRandom(std::function<std::int64_t()> secondsNow)
    : secondsNow_(std::move(secondsNow)) {
    if (!secondsNow_) secondsNow_ = [] { return static_cast<std::int64_t>(std::time(nullptr)); };
}

void ClockSeededRandom::Seed() { state_ = static_cast<std::uint32_t>(secondsNow_()); }

int ClockSeededRandom::Next() {
    // Unsigned arithmetic wraps modulo 2^32 by definition; the high bits are the better ones.
    state_ = state_ * 1103515245u + 12345u;
    return static_cast<int>((state_ >> 16) & static_cast<std::uint32_t>(kMax));
}

}  // namespace bw
