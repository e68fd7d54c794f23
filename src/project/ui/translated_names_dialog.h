// "Translated Body Part Names": after a load, the object paths that were translated, the
// original paths on the left and their new paths on the right, one per line.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QPlainTextEdit;
class QPushButton;

namespace bw {

class TranslatedNamesDialog : public QDialog {
    Q_OBJECT

  public:
    TranslatedNamesDialog(const std::vector<std::string>& oldPaths,
                          const std::vector<std::string>& newPaths, QWidget* parent = nullptr);

    QPlainTextEdit* OldNames() const { return oldNames_; }
    QPlainTextEdit* NewNames() const { return newNames_; }
    QPushButton* OkButton() const { return ok_; }

  private:
    QPlainTextEdit* oldNames_ = nullptr;
    QPlainTextEdit* newNames_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace bw
