// The modal About box: the credits, the home page and three mail addresses. Each address is a
// button that hands the address to the shell's "open" (the home page as a web address, each
// mail address as a "mailto:" link) and leaves the box open; what the shell returns is ignored.
//
// Ownership: the ShellOpener is the program's and outlives the box. Positions are dialog units
// converted to logical pixels (y down) from the dialog's font.
#pragma once

#include <QDialog>

#include "platform/platform_dialogs.h"

class QPushButton;

namespace bw {

inline constexpr const char* kHomePage = "https://www.beastwright.example/";
inline constexpr const char* kInfoMail = "info@beastwright.example";
inline constexpr const char* kSalesMail = "sales@beastwright.example";
inline constexpr const char* kSupportMail = "support@beastwright.example";

class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    explicit AboutDialog(ShellOpener& shell, QWidget* parent = nullptr);

    QPushButton* HomePageButton() const { return homePage_; }
    QPushButton* InfoMailButton() const { return infoMail_; }
    QPushButton* SalesMailButton() const { return salesMail_; }
    QPushButton* SupportMailButton() const { return supportMail_; }
    QPushButton* OkButton() const { return ok_; }

  private:
    QPushButton* LinkButton(const QString& text, const std::string& target, QRect geometry);

    ShellOpener& shell_;
    QPushButton* homePage_ = nullptr;
    QPushButton* infoMail_ = nullptr;
    QPushButton* salesMail_ = nullptr;
    QPushButton* supportMail_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace bw
