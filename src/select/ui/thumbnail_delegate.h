// Paints the open list of a body part's files with each file's picture (kThumbnailRole) left of
// its name, 48 logical pixels square; an entry without a picture (yet, or ever) keeps the room
// blank, so the names stay in line. The closed list shows only the name: it paints the
// decoration role, which stays empty.
#pragma once

#include <QIcon>
#include <QStyledItemDelegate>

namespace bw {

// The item data role holding an entry's picture (a QPixmap at the screen's pixel ratio).
inline constexpr int kThumbnailRole = Qt::UserRole + 16;
inline constexpr int kThumbnailLogicalPixels = 48;

class ThumbnailDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

  private:
    mutable QIcon blank_;  // the room of an entry without a picture, made once
};

}  // namespace bw
