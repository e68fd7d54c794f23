// The "Select Parts" tab page: per body part a lock box, a drop-down list of the body part's
// object files and a spin button. A choice in a list (by the user or through the spin button)
// is forwarded to PartSelection, which makes the creature match it and repaints the preview.
// An open list shows a picture of each file beside its name (PartThumbnails).
//
// Ownership: the page is a Qt child of the tab strip and owns its controls and its
// PartSelection; it refers to the Creature and the FileEnumerator, which the main dialog owns
// and which outlive it. Rows are indexed by BodyPartId. Positions are logical pixels, y down.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "model/body_part_catalogue.h"
#include "model/creature.h"
#include "model/file_enumerator.h"
#include "model/step_listener.h"
#include "select/part_selection.h"

class QCheckBox;
class QComboBox;

namespace bw {

class SpinButton;
class ComboPartList;
class PartListBox;
class PartThumbnails;
class ThumbnailSource;

class SelectPartsPage : public QWidget {
    Q_OBJECT

  public:
    SelectPartsPage(Creature& creature, const FileEnumerator& files, QWidget* parent = nullptr);
    ~SelectPartsPage() override;

    PartSelection& Selection() { return selection_; }
    // Hears each choice in a list (by the list or its spin button), with the symmetry copies
    // it makes, as one step. Not owned; null for none.
    void SetStepListener(StepListener* listener) { steps_ = listener ? listener : &noSteps_; }
    void SetObjectDirectory(const std::string& directory);
    void FillPartLists() { selection_.FillPartLists(); }
    void ResetPartLists() { selection_.ResetPartLists(); }
    void SetRepaint(std::function<void()> repaint) { selection_.SetRepaint(std::move(repaint)); }
    // What draws the pictures in the open lists; null (the default) for none. Not owned.
    void SetThumbnailSource(ThumbnailSource* source);
    PartThumbnails& Thumbnails() { return *thumbnails_; }

    QComboBox* PartListBox(BodyPartId i) const;
    QCheckBox* LockBox(BodyPartId i) const;
    SpinButton* Spin(BodyPartId i) const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void BuildRow(BodyPartId i);
    void OnLockToggled(BodyPartId i, bool locked);

    PartSelection selection_;
    std::array<std::unique_ptr<ComboPartList>, kBodyPartCount> lists_;
    std::array<QCheckBox*, kBodyPartCount> locks_{};
    std::array<bw::PartListBox*, kBodyPartCount> boxes_{};
    PartThumbnails* thumbnails_ = nullptr;  // a Qt child
    std::array<SpinButton*, kBodyPartCount> spins_{};
    NoStepListener noSteps_;
    StepListener* steps_ = &noSteps_;
};

}  // namespace bw
