// "Save Project Options": which file version a save writes. The choice is an index: 0
// "Beastwright Pro" (version "20", all settings), 1 "Beastwright Standard Edition" (version
// "1", no taper settings). Pro is selected when the dialog opens.
#pragma once

#include <QDialog>
#include <string>

class QRadioButton;

namespace bw {

class SaveProjectOptionsDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kPro = 0;
    static constexpr int kStandardEdition = 1;

    explicit SaveProjectOptionsDialog(QWidget* parent = nullptr);

    int Selection() const;
    // The version string of the selection: "20" or "1".
    std::string Version() const;

    QRadioButton* ProButton() const { return pro_; }
    QRadioButton* StandardEditionButton() const { return standard_; }

  private:
    QRadioButton* pro_ = nullptr;
    QRadioButton* standard_ = nullptr;
};

}  // namespace bw
