#include "converter/ui/surface_colour_group.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>

#include "converter/colour_controls.h"
#include "ui/dialog_units.h"

namespace bw {
namespace {

const std::array<const char*, SurfaceColourGroup::kChannelCount> kChannelNames{"Red", "Green",
                                                                               "Blue"};

QPushButton* Button(const char* text, QRect where, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(where);
    button->setAccessibleName(text);
    return button;
}

}  // namespace

SurfaceColourGroup::SurfaceColourGroup(QObject* fieldFilter, QWidget* parent)
    : QGroupBox("Surface Color", parent) {
    const DialogUnits u(parent ? parent->font() : font());
    setAccessibleName("Surface Color");
    (new QLabel("Presets", this))->setGeometry(u.Rect(8, 14, 36, 9));
    presets_ = new QComboBox(this);
    presets_->setGeometry(u.Rect(46, 12, 112, 14));
    for (int preset = 0; preset < kPresetCount; ++preset) {
        const std::string_view name = PresetName(preset);
        presets_->addItem(QString::fromUtf8(name.data(), qsizetype(name.size())));
    }
    presets_->setAccessibleName("Presets");
    presets_->setAccessibleDescription("Presets");
    const auto* digits = new QRegularExpressionValidator(QRegularExpression("[0-9]*"), this);
    for (int c = 0; c < kChannelCount; ++c) {
        const int y = 32 + 16 * c;
        (new QLabel(kChannelNames[std::size_t(c)], this))->setGeometry(u.Rect(8, y + 1, 30, 9));
        auto* slider = new QScrollBar(Qt::Horizontal, this);
        slider->setGeometry(u.Rect(40, y, 118, 11));
        slider->setAccessibleName(kChannelNames[std::size_t(c)]);
        // Scroll bars invert their arrow keys by default; here the left arrow lowers the value.
        slider->setInvertedControls(false);
        auto* field = new QLineEdit(this);
        field->setGeometry(u.Rect(162, y - 1, 36, 13));
        field->setValidator(digits);
        field->setMaxLength(kMaxFieldLength);
        field->setAccessibleName(QString(kChannelNames[std::size_t(c)]) + " value");
        field->installEventFilter(fieldFilter);
        sliders_[std::size_t(c)] = slider;
        valueFields_[std::size_t(c)] = field;
    }
    copy_ = Button("Copy", u.Rect(8, 86, 44, 14), this);
    paste_ = Button("Paste", u.Rect(56, 86, 44, 14), this);
    paste_->setEnabled(false);
    applyToAll_ = Button("Apply on all surfaces", u.Rect(104, 86, 96, 14), this);
}

}  // namespace bw
