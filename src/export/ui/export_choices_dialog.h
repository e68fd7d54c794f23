// "Export Options": the up axis (Y or Z), the size (as modelled, a scale factor, or a height
// in the file's units), the surface (the parts as they are, or subdivided once or twice) and,
// for a format that can carry one (glTF, FBX), whether to include the skeleton, of an export,
// shown after its save dialog. QtExportChoicesAsker shows
// it modally over its parent.
#pragma once

#include <QDialog>

#include "export/export_choices.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QRadioButton;

namespace bw {

class ExportChoicesDialog : public QDialog {
    Q_OBJECT

  public:
    ExportChoicesDialog(const ExportFormat& format, const ExportChoices& start,
                        QWidget* parent = nullptr);

    // The choices the controls show.
    ExportChoices Choices() const;

    QRadioButton* UpButton(UpAxis up) const { return up == UpAxis::Y ? upY_ : upZ_; }
    QRadioButton* SizeButton(ExportSize size) const;
    QDoubleSpinBox* ScaleField() const { return scale_; }
    QDoubleSpinBox* HeightField() const { return height_; }
    // Shown only for a format that can carry a skeleton; unchecked for the others.
    QCheckBox* SkeletonBox() const { return skeleton_; }
    // "Parts", "Smooth", "Smoother": the subdivision level, its index.
    QComboBox* SurfaceBox() const { return surface_; }

  private:
    QRadioButton* upY_ = nullptr;
    QRadioButton* upZ_ = nullptr;
    QRadioButton* asModelled_ = nullptr;
    QRadioButton* scaled_ = nullptr;
    QRadioButton* heightButton_ = nullptr;
    QDoubleSpinBox* scale_ = nullptr;
    QDoubleSpinBox* height_ = nullptr;
    QCheckBox* skeleton_ = nullptr;
    QComboBox* surface_ = nullptr;
};

class QtExportChoicesAsker : public ExportChoicesAsker {
  public:
    explicit QtExportChoicesAsker(QWidget* parent = nullptr) : parent_(parent) {}
    std::optional<ExportChoices> Ask(const ExportFormat& format,
                                     const ExportChoices& start) override;

  private:
    QWidget* parent_;
};

}  // namespace bw
