// A PartList over a drop-down list and its row's lock box. Each entry keeps its text as the
// bytes it was given (file names need not be UTF-8); the list shows them decoded, with invalid
// bytes as replacement characters. Changes made through this class emit no user signals.
#pragma once

#include "select/part_list.h"

class QCheckBox;
class QComboBox;

namespace bw {

class ComboPartList : public PartList {
  public:
    ComboPartList(QComboBox& box, QCheckBox& lock) : box_(box), lock_(lock) {}

    int Count() const override;
    std::string Text(int index) const override;
    int CurrentIndex() const override;
    void SetCurrentIndex(int index) override;
    void SetEntries(const std::vector<std::string>& entries) override;
    bool IsLocked() const override;

  private:
    QComboBox& box_;
    QCheckBox& lock_;
};

}  // namespace bw
