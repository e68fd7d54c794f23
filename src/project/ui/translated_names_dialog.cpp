#include "project/ui/translated_names_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace bw {
namespace {

QPlainTextEdit* NameList(const std::vector<std::string>& paths, const char* name, QWidget* parent) {
    QString text;
    for (const std::string& path : paths) {
        if (!text.isEmpty()) text += '\n';
        text += QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
    }
    auto* list = new QPlainTextEdit(text, parent);
    list->setReadOnly(true);
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    list->setAccessibleName(name);
    list->setMinimumSize(240, 120);
    return list;
}

}  // namespace

TranslatedNamesDialog::TranslatedNamesDialog(const std::vector<std::string>& oldPaths,
                                             const std::vector<std::string>& newPaths,
                                             QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Translated Body Part Names");
    setAccessibleName("Translated Body Part Names");
    oldNames_ = NameList(oldPaths, "Original name", this);
    newNames_ = NameList(newPaths, "New name", this);
    auto* oldLabel = new QLabel("Original name:", this);
    auto* newLabel = new QLabel("New name:", this);
    oldLabel->setBuddy(oldNames_);
    newLabel->setBuddy(newNames_);
    ok_ = new QPushButton("OK", this);
    ok_->setDefault(true);
    ok_->setAccessibleName("OK");
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(oldLabel, 0, 0);
    layout->addWidget(newLabel, 0, 1);
    layout->addWidget(oldNames_, 1, 0);
    layout->addWidget(newNames_, 1, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(ok_);
    layout->addLayout(buttonRow, 2, 0, 1, 2);
}

}  // namespace bw
