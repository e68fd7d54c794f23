// Where a long operation reports how far it has come: the converter page passes its progress
// bar, the command-line tool and the tests a sink that ignores it.
#pragma once

namespace bw {

class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    // The operation runs from 0 to `maximum` steps.
    virtual void SetRange(int maximum) = 0;
    // `position` steps are done (0 <= position <= maximum).
    virtual void SetPosition(int position) = 0;
};

class NoProgress : public ProgressSink {
  public:
    void SetRange(int) override {}
    void SetPosition(int) override {}
};

}  // namespace bw
