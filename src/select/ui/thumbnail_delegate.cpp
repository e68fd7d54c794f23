#include "select/ui/thumbnail_delegate.h"

#include <QPixmap>

namespace bw {

void ThumbnailDelegate::initStyleOption(QStyleOptionViewItem* option,
                                        const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const QSize size(kThumbnailLogicalPixels, kThumbnailLogicalPixels);
    const QPixmap picture = index.data(kThumbnailRole).value<QPixmap>();
    if (picture.isNull() && blank_.isNull()) {
        QPixmap room(size);
        room.fill(Qt::transparent);
        blank_ = QIcon(room);
    }
    option->icon = picture.isNull() ? blank_ : QIcon(picture);
    option->decorationSize = size;
    option->features |= QStyleOptionViewItem::HasDecoration;
}

}  // namespace bw
