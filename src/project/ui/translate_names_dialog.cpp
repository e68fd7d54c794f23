#include "project/ui/translate_names_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bw {
namespace {

QLineEdit* PathField(const std::string& path, const char* name, QWidget* parent) {
    auto* field =
        new QLineEdit(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())), parent);
    field->setReadOnly(true);
    field->setAccessibleName(name);
    field->setMinimumWidth(320);
    return field;
}

}  // namespace

TranslateNamesDialog::TranslateNamesDialog(const std::string& oldPath, const std::string& newPath,
                                           const TranslationAnswer& start, QWidget* parent)
    : QDialog(parent), start_(start) {
    setWindowTitle("Translate Body Part Names");
    setAccessibleName("Translate Body Part Names");
    auto* intro = new QLabel(
        "This project contains body parts names that have been modified since the orginal "
        "release. They can be automatically translated if you wish.",
        this);
    intro->setWordWrap(true);
    oldPath_ = PathField(oldPath, "Original name", this);
    auto* between = new QLabel("will be converted to:", this);
    newPath_ = PathField(newPath, "New name", this);

    const std::array<const char*, 4> texts{
        "Automatically translate this part name", "Don't ask again for this project",
        "Don't ask again for this session", "Show the translation list when done"};
    const std::array<bool, 4> checked{start.autoTranslate, start.dontAskProject,
                                      start.dontAskSession, start.showTranslationList};
    for (std::size_t k = 0; k < boxes_.size(); ++k) {
        boxes_[k] = new QCheckBox(texts[k], this);
        boxes_[k]->setAccessibleName(texts[k]);
        boxes_[k]->setChecked(checked[k]);
    }
    ok_ = new QPushButton("OK", this);
    ok_->setDefault(true);
    ok_->setAccessibleName("OK");
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(oldPath_);
    layout->addWidget(between);
    layout->addWidget(newPath_);
    layout->addSpacing(6);
    for (QCheckBox* box : boxes_) layout->addWidget(box);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(ok_);
    layout->addLayout(buttonRow);
}

TranslationAnswer TranslateNamesDialog::Boxes() const {
    return {boxes_[0]->isChecked(), boxes_[1]->isChecked(), boxes_[2]->isChecked(),
            boxes_[3]->isChecked()};
}

TranslationAnswer TranslateNamesDialog::Ask() {
    return exec() == QDialog::Accepted ? Boxes() : start_;
}

}  // namespace bw
