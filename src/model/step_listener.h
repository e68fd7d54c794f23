// Hears where a change the user makes to the creature begins and ends, so that the change can
// be undone as one step. Controls report every such change through it; steps may nest, and
// only the outermost one counts.
#pragma once

namespace bw {

// What lets steps merge: steps ended with the same key shortly after one another count as one
// (clicks in a row on one Adjust bar). kSeparateStep merges with nothing.
struct StepMergeKey {
    int value = 0;
    bool Merges() const { return value != 0; }
    bool operator==(const StepMergeKey&) const = default;
};
inline constexpr StepMergeKey kSeparateStep{};

class StepListener {
  public:
    virtual ~StepListener() = default;
    virtual void StepBegins() = 0;
    virtual void StepEnds(StepMergeKey mergeKey = kSeparateStep) = 0;
};

// A listener that hears nothing, for controls used without a history.
class NoStepListener : public StepListener {
  public:
    void StepBegins() override {}
    void StepEnds(StepMergeKey) override {}
};

// Reports a step over its own lifetime.
class ScopedStep {
  public:
    explicit ScopedStep(StepListener& listener, StepMergeKey mergeKey = kSeparateStep)
        : listener_(listener), mergeKey_(mergeKey) {
        listener_.StepBegins();
    }
    ~ScopedStep() { listener_.StepEnds(mergeKey_); }
    ScopedStep(const ScopedStep&) = delete;
    ScopedStep& operator=(const ScopedStep&) = delete;

  private:
    StepListener& listener_;
    StepMergeKey mergeKey_;
};

}  // namespace bw
