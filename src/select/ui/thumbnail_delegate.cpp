#include "select/ui/thumbnail_delegate.h"

#include <QPixmap>

namespace bw {

void ThumbnailDelegate::initStyleOption(QStyleOptionViewItem* option,
                                        const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const QSize size(kThumbnailLogicalPixels, kThumbnailLogicalPixels);
    QPixmap picture = index.data(kThumbnailRole).value<QPixmap>();
    if (picture.isNull()) {
        picture = QPixmap(size);
        picture.fill(Qt::transparent);
    }
    option->icon = QIcon(picture);
    option->decorationSize = size;
    option->features |= QStyleOptionViewItem::HasDecoration;
}

}  // namespace bw
