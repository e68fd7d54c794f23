#include "ui/about_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "ui/dialog_units.h"
#include "ui/product_name.h"
#include "ui/project_icons.h"

namespace bw {
namespace {

constexpr const char* kCredits =
    "<b>Beastwright Pro</b><br>Builds creatures out of ready-made body parts. Program, body "
    "part library, pictures and manual by the Beastwright team.";

}  // namespace

AboutDialog::AboutDialog(ShellOpener& shell, QWidget* parent) : QDialog(parent), shell_(shell) {
    setWindowTitle("About Beastwright Pro");
    setAccessibleName("About Beastwright Pro");
    const DialogUnits units(font());

    auto* picture = new QLabel(this);
    picture->setPixmap(DrawProjectIcon(ProjectIcon::About, ProjectIconState::Up, 48));
    picture->setGeometry(units.Rect(7, 7, 44, 44));
    picture->setAlignment(Qt::AlignCenter);
    picture->setAccessibleName("Beastwright");

    auto* credits = new QLabel(kCredits, this);
    credits->setGeometry(units.Rect(58, 7, 162, 44));
    credits->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    credits->setTextFormat(Qt::RichText);
    credits->setWordWrap(true);
    credits->setAccessibleName("Credits");

    auto* homeLabel = new QLabel("Homepage:", this);
    homeLabel->setGeometry(units.Rect(7, 60, 40, 9));
    auto* mailLabel = new QLabel("Email:", this);
    mailLabel->setGeometry(units.Rect(7, 79, 40, 9));

    homePage_ = LinkButton("www.beastwright.example", kHomePage, units.Rect(49, 58, 73, 14));
    infoMail_ =
        LinkButton(kInfoMail, std::string("mailto:") + kInfoMail, units.Rect(50, 76, 73, 14));
    // The sales address sits right of the information address, with room for its text.
    QRect salesPlace = units.Rect(147, 76, 73, 14);
    salesPlace.moveLeft(std::max(salesPlace.left(), infoMail_->geometry().right() + units.X(4)));
    salesMail_ = LinkButton(kSalesMail, std::string("mailto:") + kSalesMail, salesPlace);
    supportMail_ =
        LinkButton(kSupportMail, std::string("mailto:") + kSupportMail, units.Rect(50, 94, 73, 14));
    homeLabel->setBuddy(homePage_);
    mailLabel->setBuddy(infoMail_);

    ok_ = new QPushButton("OK", this);
    ok_->setDefault(true);
    ok_->setAccessibleName("OK");
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    const int width = std::max(units.X(227), salesMail_->geometry().right() + units.X(7));
    QRect okPlace = units.Rect(89, 120, 50, 14);
    okPlace.moveLeft((width - okPlace.width()) / 2);
    ok_->setGeometry(okPlace);
    setFixedSize(width, units.Y(141));
}

QPushButton* AboutDialog::LinkButton(const QString& text, const std::string& target,
                                     QRect geometry) {
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    geometry.setWidth(std::max(geometry.width(), button->sizeHint().width()));
    button->setGeometry(geometry);
    button->setAccessibleName(text);
    button->setToolTip(QString::fromStdString(target));
    connect(button, &QPushButton::clicked, this, [this, target] { (void)shell_.Open(target); });
    return button;
}

}  // namespace bw
