// Hears where a change the user makes to the creature begins and ends, so that the change can
// be undone as one step. Controls report every such change through it; steps may nest, and
// only the outermost one counts.
#pragma once

namespace bw {

class StepListener {
  public:
    // Steps ended with the same key (not kSeparateStep) shortly after one another count as one.
    static constexpr int kSeparateStep = 0;

    virtual ~StepListener() = default;
    virtual void StepBegins() = 0;
    virtual void StepEnds(int mergeKey = kSeparateStep) = 0;
};

// A listener that hears nothing, for controls used without a history.
class NoStepListener : public StepListener {
  public:
    void StepBegins() override {}
    void StepEnds(int) override {}
};

// Reports a step over its own lifetime.
class ScopedStep {
  public:
    explicit ScopedStep(StepListener& listener, int mergeKey = StepListener::kSeparateStep)
        : listener_(listener), mergeKey_(mergeKey) {
        listener_.StepBegins();
    }
    ~ScopedStep() { listener_.StepEnds(mergeKey_); }
    ScopedStep(const ScopedStep&) = delete;
    ScopedStep& operator=(const ScopedStep&) = delete;

  private:
    StepListener& listener_;
    int mergeKey_;
};

}  // namespace bw
