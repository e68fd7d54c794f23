// "Translate Body Part Names": asks whether an object path of a project, whose file was renamed
// in the library, is to be read as its new path. The four check boxes start from the
// translation flags (QuestionStartState) and are handed back as the answer; a dialog closed
// without OK answers with the states it started with.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "project/project_loader.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace bw {

class TranslateNamesDialog : public QDialog {
    Q_OBJECT

  public:
    TranslateNamesDialog(const std::string& oldPath, const std::string& newPath,
                         const TranslationAnswer& start, QWidget* parent = nullptr);

    // The boxes as they are now.
    TranslationAnswer Boxes() const;
    // Runs the dialog modally: Boxes() after OK, the start states otherwise.
    TranslationAnswer Ask();

    QLineEdit* OldPathField() const { return oldPath_; }
    QLineEdit* NewPathField() const { return newPath_; }
    QCheckBox* AutoTranslateBox() const { return boxes_[0]; }
    QCheckBox* DontAskProjectBox() const { return boxes_[1]; }
    QCheckBox* DontAskSessionBox() const { return boxes_[2]; }
    QCheckBox* ShowListBox() const { return boxes_[3]; }
    QPushButton* OkButton() const { return ok_; }

  private:
    TranslationAnswer start_;
    QLineEdit* oldPath_ = nullptr;
    QLineEdit* newPath_ = nullptr;
    std::array<QCheckBox*, 4> boxes_{};
    QPushButton* ok_ = nullptr;
};

}  // namespace bw
