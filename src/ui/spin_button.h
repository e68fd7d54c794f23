// A spin button without a text of its own: the up and down arrows of a row, reporting each step.
// A step of -1 is the up arrow (towards entry 0), +1 the down arrow.
#pragma once

#include <QAbstractSpinBox>

namespace bw {

class SpinButton : public QAbstractSpinBox {
    Q_OBJECT

  public:
    explicit SpinButton(QWidget* parent = nullptr);
    void stepBy(int steps) override;

  signals:
    void Stepped(int step);

  protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};

}  // namespace bw
