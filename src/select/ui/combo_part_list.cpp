#include "select/ui/combo_part_list.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>

namespace bw {

int ComboPartList::Count() const { return box_.count(); }

std::string ComboPartList::Text(int index) const {
    if (index < 0 || index >= box_.count()) return {};
    return box_.itemData(index).toByteArray().toStdString();
}

int ComboPartList::CurrentIndex() const { return box_.currentIndex(); }

void ComboPartList::SetCurrentIndex(int index) {
    const QSignalBlocker blocker(box_);
    box_.setCurrentIndex(index >= 0 && index < box_.count() ? index : -1);
}

void ComboPartList::SetEntries(const std::vector<std::string>& entries) {
    const QSignalBlocker blocker(box_);
    box_.clear();
    for (const std::string& entry : entries) {
        const QByteArray bytes(entry.data(), static_cast<qsizetype>(entry.size()));
        box_.addItem(QString::fromUtf8(bytes), bytes);
    }
    box_.setCurrentIndex(entries.empty() ? -1 : 0);
}

bool ComboPartList::IsLocked() const { return lock_.isChecked(); }

}  // namespace bw
