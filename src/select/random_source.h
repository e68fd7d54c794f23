// The pseudo-random numbers of random creation. The program uses ClockSeededRandom; tests pass
// a source with scripted numbers so random creatures are repeatable.
#pragma once

#include <cstdint>
#include <functional>

namespace bw {

class RandomSource {
  public:
    static constexpr int kMax = 32767;

    virtual ~RandomSource() = default;
    // Starts a new sequence; called once at the start of every random creature.
    virtual void Seed() = 0;
    // The next number, 0 to kMax.
    virtual int Next() = 0;
};

// A linear congruential generator seeded with the current time in whole seconds, so two random
// creatures made within the same second are the same creature.
class ClockSeededRandom : public RandomSource {
  public:
    // `secondsNow` gives the time in seconds; by default the system clock's.
    explicit ClockSeededRandom(std::function<std::int64_t()> secondsNow = {});

    void Seed() override;
    int Next() override;

  private:
    std::function<std::int64_t()> secondsNow_;
    std::uint32_t state_ = 1;
};

}  // namespace bw
