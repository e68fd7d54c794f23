#include "export/ui/export_choices_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "subdivide/surface_level.h"
#include "ui/ok_cancel_buttons.h"

namespace bw {
namespace {

QRadioButton* Radio(const char* text, QWidget* parent) {
    auto* button = new QRadioButton(text, parent);
    button->setAccessibleName(QString(text).remove('&'));
    return button;
}

QDoubleSpinBox* NumberField(const char* name, double value, QWidget* parent) {
    auto* field = new QDoubleSpinBox(parent);
    field->setAccessibleName(name);
    field->setDecimals(4);
    field->setRange(0.0001, 1e6);
    field->setValue(value);
    return field;
}

}  // namespace

ExportChoicesDialog::ExportChoicesDialog(const ExportFormat& format, const ExportChoices& start,
                                         QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Export Options");
    setAccessibleName("Export Options");
    auto* formatName = new QLabel(
        QString::fromUtf8(format.name.data(), qsizetype(format.name.size())) + " file", this);
    formatName->setAccessibleName("Format");

    auto* upGroup = new QGroupBox("Up axis", this);
    upGroup->setAccessibleName("Up axis");
    upY_ = Radio("&Y up", upGroup);
    upZ_ = Radio("&Z up", upGroup);
    (start.up == UpAxis::Y ? upY_ : upZ_)->setChecked(true);
    auto* upLayout = new QHBoxLayout(upGroup);
    upLayout->addWidget(upY_);
    upLayout->addWidget(upZ_);
    upLayout->addStretch();

    auto* sizeGroup = new QGroupBox("Size", this);
    sizeGroup->setAccessibleName("Size");
    asModelled_ = Radio("&As modelled", sizeGroup);
    scaled_ = Radio("&Scale by", sizeGroup);
    heightButton_ = Radio("&Height", sizeGroup);
    scale_ = NumberField("Scale factor", start.scale, sizeGroup);
    height_ = NumberField("Height", start.height, sizeGroup);
    SizeButton(start.size)->setChecked(true);
    auto* sizeLayout = new QGridLayout(sizeGroup);
    sizeLayout->addWidget(asModelled_, 0, 0);
    sizeLayout->addWidget(scaled_, 1, 0);
    sizeLayout->addWidget(scale_, 1, 1);
    sizeLayout->addWidget(heightButton_, 2, 0);
    sizeLayout->addWidget(height_, 2, 1);
    // A number is only asked for where it is used.
    const auto follow = [this] {
        scale_->setEnabled(scaled_->isChecked());
        height_->setEnabled(heightButton_->isChecked());
    };
    for (QRadioButton* button : {asModelled_, scaled_, heightButton_})
        connect(button, &QRadioButton::toggled, this, follow);
    follow();

    auto* surfaceRow = new QHBoxLayout;
    auto* surfaceLabel = new QLabel("S&urface", this);
    surface_ = new QComboBox(this);
    for (std::string_view name : kSurfaceLevelNames)
        surface_->addItem(QString::fromUtf8(name.data(), qsizetype(name.size())));
    surface_->setCurrentIndex(std::clamp(start.subdivisionLevel, 0, kMaxSubdivisionLevel));
    surface_->setAccessibleName("Surface");
    surface_->setToolTip(
        tr("Parts: the body parts as they are; Smooth and Smoother: the welded creature "
           "subdivided once or twice, seams closed, each body part keeping its own faces"));
    surfaceLabel->setBuddy(surface_);
    surfaceRow->addWidget(surfaceLabel);
    surfaceRow->addWidget(surface_);
    surfaceRow->addStretch();

    // Only a format that can carry a skeleton offers it.
    skeleton_ = new QCheckBox("&Include skeleton", this);
    skeleton_->setAccessibleName("Include skeleton");
    skeleton_->setChecked(format.skeleton && start.includeSkeleton);
    skeleton_->setVisible(format.skeleton);

    QDialogButtonBox* buttons = OkCancelButtons(*this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(formatName);
    layout->addWidget(upGroup);
    layout->addWidget(sizeGroup);
    layout->addLayout(surfaceRow);
    layout->addWidget(skeleton_);
    layout->addWidget(buttons);
    setMinimumWidth(280);
}

QRadioButton* ExportChoicesDialog::SizeButton(ExportSize size) const {
    switch (size) {
        case ExportSize::Scaled:
            return scaled_;
        case ExportSize::Height:
            return heightButton_;
        default:
            return asModelled_;
    }
}

ExportChoices ExportChoicesDialog::Choices() const {
    ExportChoices choices;
    choices.up = upZ_->isChecked() ? UpAxis::Z : UpAxis::Y;
    choices.size = scaled_->isChecked()         ? ExportSize::Scaled
                   : heightButton_->isChecked() ? ExportSize::Height
                                                : ExportSize::AsModelled;
    choices.scale = scale_->value();
    choices.height = height_->value();
    choices.includeSkeleton = !skeleton_->isHidden() && skeleton_->isChecked();
    choices.subdivisionLevel = surface_->currentIndex();
    return choices;
}

std::optional<ExportChoices> QtExportChoicesAsker::Ask(const ExportFormat& format,
                                                       const ExportChoices& start) {
    ExportChoicesDialog dialog(format, start, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choices();
}

}  // namespace bw
