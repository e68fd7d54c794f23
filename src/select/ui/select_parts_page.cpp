#include "select/ui/select_parts_page.h"

#include <QCheckBox>
#include <QComboBox>

#include "select/ui/combo_part_list.h"
#include "select/ui/part_list_box.h"
#include "select/ui/part_thumbnails.h"
#include "ui/spin_button.h"

namespace bw {
namespace {

// Row layout in logical pixels: row i at y = 4 + 25 i.
constexpr int kRowTop = 4;
constexpr int kRowPitch = 25;
// The lock box's text runs up to the list; its box starts further left than the row's nominal
// 55 pixels so that long body part names fit in fonts wider than 6 pixels a character.
constexpr int kLockX = 4;
constexpr int kLockWidth = 136;
constexpr int kListX = 145;
constexpr int kListWidth = 158;
constexpr int kControlHeight = 22;
constexpr int kSpinWidth = 20;
// Entries shown at once when a list drops down (about 416 pixels).
constexpr int kVisibleEntries = 18;

}  // namespace

SelectPartsPage::SelectPartsPage(Creature& creature, const FileEnumerator& files, QWidget* parent)
    : QWidget(parent), selection_(creature, files) {
    setAccessibleName("Select Parts");
    thumbnails_ = new PartThumbnails(
        [this](BodyPartId i, int index) { return selection_.EntryPath(i, index); }, this);
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) BuildRow(i);
    // Tab order: each row's lock box, then its list, then its spin button.
    QWidget* previous = nullptr;
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) {
        for (QWidget* w : {static_cast<QWidget*>(locks_[i]), static_cast<QWidget*>(boxes_[i]),
                           static_cast<QWidget*>(spins_[i])}) {
            if (previous) setTabOrder(previous, w);
            previous = w;
        }
    }
}

SelectPartsPage::~SelectPartsPage() = default;

void SelectPartsPage::BuildRow(BodyPartId i) {
    const QString name =
        QString::fromUtf8(BodyPartName(i).data(), static_cast<qsizetype>(BodyPartName(i).size()));
    const int y = kRowTop + kRowPitch * i;

    auto* lock = new QCheckBox(name, this);
    lock->setGeometry(kLockX, y, kLockWidth, kControlHeight);
    lock->setAccessibleName(name);
    lock->setToolTip(tr("Lock %1 during random creation").arg(name));

    auto* box = new bw::PartListBox(this);
    box->setGeometry(kListX, y, kListWidth, kControlHeight);
    box->setMaxVisibleItems(kVisibleEntries);
    box->setEditable(false);
    box->setAccessibleName(name);
    // A screen reader hears a combo box's current text as its name; the description keeps
    // the body part.
    box->setAccessibleDescription(name);

    auto* spin = new SpinButton(this);
    spin->setGeometry(kListX + kListWidth, y, kSpinWidth, kControlHeight);
    spin->setAccessibleName(name + " step");

    locks_[i] = lock;
    boxes_[i] = box;
    spins_[i] = spin;
    lists_[i] = std::make_unique<ComboPartList>(*box, *lock);
    thumbnails_->Watch(i, box);
    lists_[i]->SetEntries({kNoneEntry});
    selection_.SetList(i, lists_[i].get());

    connect(box, &QComboBox::activated, this, [this, i](int) {
        const ScopedStep step(*steps_);
        selection_.SelectPart(i);
    });
    connect(spin, &SpinButton::Stepped, this, [this, i](int change) {
        const ScopedStep step(*steps_);
        selection_.StepSelection(i, change);
    });
    connect(lock, &QCheckBox::toggled, this, [this, i](bool locked) { OnLockToggled(i, locked); });
}

void SelectPartsPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Lists take the page's spare width, so long file names stay readable.
    const int listWidth = std::max(kListWidth, width() - kListX - kSpinWidth - 6);
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) {
        boxes_[i]->resize(listWidth, kControlHeight);
        spins_[i]->move(kListX + listWidth, spins_[i]->y());
    }
}

void SelectPartsPage::OnLockToggled(BodyPartId i, bool locked) {
    boxes_[i]->setEnabled(!locked);
    spins_[i]->setEnabled(!locked);
}

void SelectPartsPage::SetThumbnailSource(ThumbnailSource* source) {
    thumbnails_->SetSource(source);
}

void SelectPartsPage::SetObjectDirectory(const std::string& directory) {
    selection_.SetObjectDirectory(directory);
}

QComboBox* SelectPartsPage::PartListBox(BodyPartId i) const {
    return IsValidBodyPartId(i) ? boxes_[i] : nullptr;
}
QCheckBox* SelectPartsPage::LockBox(BodyPartId i) const {
    return IsValidBodyPartId(i) ? locks_[i] : nullptr;
}
SpinButton* SelectPartsPage::Spin(BodyPartId i) const {
    return IsValidBodyPartId(i) ? spins_[i] : nullptr;
}

}  // namespace bw
