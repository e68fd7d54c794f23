#include "project/ui/save_project_options_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "project/project_file.h"
#include "ui/ok_cancel_buttons.h"

namespace bw {
namespace {

QLabel* Note(const char* text, QWidget* parent) {
    auto* note = new QLabel(text, parent);
    note->setWordWrap(true);
    note->setContentsMargins(22, 0, 0, 6);
    return note;
}

}  // namespace

SaveProjectOptionsDialog::SaveProjectOptionsDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Save Project Options");
    setAccessibleName("Save Project Options");
    auto* group = new QGroupBox("Project File Version", this);
    group->setAccessibleName("Project File Version");
    pro_ = new QRadioButton("Beastwright Pro", group);
    standard_ = new QRadioButton("Beastwright Standard Edition", group);
    pro_->setAccessibleName(pro_->text());
    standard_->setAccessibleName(standard_->text());
    pro_->setChecked(true);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(pro_);
    groupLayout->addWidget(
        Note("The Beastwright Pro version is needed to read these project files.", group));
    groupLayout->addWidget(standard_);
    groupLayout->addWidget(
        Note("Allows you to share your project files with user's of Beastwright Standard "
             "Edition, but does not maintain the new Pro settings such as Taper values",
             group));

    QDialogButtonBox* buttons = OkCancelButtons(*this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

int SaveProjectOptionsDialog::Selection() const { return standard_->isChecked() ? 1 : 0; }

std::string SaveProjectOptionsDialog::Version() const {
    return std::string(Selection() == kStandardEdition ? kProjectVersionStandard
                                                       : kProjectVersionPro);
}

}  // namespace bw
