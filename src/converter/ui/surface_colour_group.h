// The Converter page's "Surface Color" group: the preset list, a slider and a value field per
// colour channel, and the Copy, Paste and "Apply on all surfaces" buttons. It lays out and
// names its controls; the page connects them to the converter model.
//
// Ownership: a Qt child of the page; owns its controls. Positions are dialog units inside the
// group, converted to logical pixels from the page's font.
#pragma once

#include <QGroupBox>
#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace bw {

class SurfaceColourGroup : public QGroupBox {
  public:
    // Channels in slider order: red, green, blue.
    static constexpr int kChannelCount = 3;
    // The Converter page's edits, these value fields among them, hold at most this many
    // characters.
    static constexpr int kMaxFieldLength = 512;

    // `fieldFilter` watches the value fields (the page takes a field's value when it is left
    // or Return is pressed in it).
    SurfaceColourGroup(QObject* fieldFilter, QWidget* parent);

    QComboBox* Presets() const { return presets_; }
    QScrollBar* Slider(int channel) const { return sliders_[std::size_t(channel)]; }
    QLineEdit* ValueField(int channel) const { return valueFields_[std::size_t(channel)]; }
    QPushButton* CopyButton() const { return copy_; }
    QPushButton* PasteButton() const { return paste_; }
    QPushButton* ApplyToAllButton() const { return applyToAll_; }

  private:
    QComboBox* presets_ = nullptr;
    std::array<QScrollBar*, kChannelCount> sliders_{};
    std::array<QLineEdit*, kChannelCount> valueFields_{};
    QPushButton* copy_ = nullptr;
    QPushButton* paste_ = nullptr;
    QPushButton* applyToAll_ = nullptr;
};

}  // namespace bw
