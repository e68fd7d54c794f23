// A button that shows one of three pictures: up, down (while pressed) and focused (while it has
// the keyboard focus). The pictures are the Project page's drawn faces (project_icons.h),
// redrawn whenever the button changes size.
//
// Ownership: a plain Qt child of its page.
#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <array>

#include "ui/project_icons.h"

namespace bw {

class BitmapButton : public QAbstractButton {
    Q_OBJECT

  public:
    // `caption` is drawn into the faces under the symbol.
    BitmapButton(ProjectIcon icon, const QString& caption, QWidget* parent = nullptr);

    // The face shown in `state` at the button's present size.
    const QPixmap& Face(ProjectIconState state) const {
        return faces_[static_cast<std::size_t>(state)];
    }
    // The face the button shows now.
    ProjectIconState CurrentState() const;

    QSize sizeHint() const override { return {64, 64}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void DrawFaces();

    ProjectIcon icon_;
    QString caption_;
    std::array<QPixmap, 3> faces_;
};

}  // namespace bw
