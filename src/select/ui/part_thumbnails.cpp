#include "select/ui/part_thumbnails.h"

#include <QAbstractItemView>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPixmap>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "select/ui/part_list_box.h"
#include "select/ui/thumbnail_delegate.h"

namespace bw {

PartThumbnails::PartThumbnails(std::function<std::string(BodyPartId, int)> entryPath,
                               QObject* parent)
    : QObject(parent), entryPath_(std::move(entryPath)) {
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &PartThumbnails::DrawSome);
}

void PartThumbnails::Watch(BodyPartId row, PartListBox* box) {
    boxes_[row] = box;
    box->setItemDelegate(new ThumbnailDelegate(box));
    connect(box, &PartListBox::PopupShown, this, [this, row] { QueueRow(row); });
    // A scroll brings other entries into view: they come first now.
    connect(box->view()->verticalScrollBar(), &QScrollBar::valueChanged, this, [this, row, box] {
        if (box->view()->isVisible()) QueueRow(row);
    });
}

PartListBox* PartThumbnails::BoxOf(BodyPartId row) const {
    const auto found = boxes_.find(row);
    return found == boxes_.end() ? nullptr : found->second;
}

void PartThumbnails::QueueRow(BodyPartId row) {
    PartListBox* box = BoxOf(row);
    if (!source_ || !box) return;
    QAbstractItemView* view = box->view();
    int first = view->indexAt(QPoint(1, 1)).row();
    int last = view->indexAt(QPoint(1, view->viewport()->height() - 2)).row();
    if (first < 0) first = std::max(0, box->currentIndex());
    if (last < first) last = std::min(box->count() - 1, first + box->maxVisibleItems());
    // This row's jobs replace its old ones; other rows' stay behind them.
    queue_.erase(std::remove_if(queue_.begin(), queue_.end(),
                                [row](const Job& job) { return job.row == row; }),
                 queue_.end());
    std::deque<Job> jobs;
    for (int i = first; i <= last; ++i) jobs.push_back({row, i});
    for (int i = 1; i < box->count(); ++i)
        if (i < first || i > last) jobs.push_back({row, i});
    queue_.insert(queue_.begin(), jobs.begin(), jobs.end());
    if (!timer_.isActive()) timer_.start();
}

void PartThumbnails::WarmUp() {
    if (!source_ || warmUpAsked_) return;
    warmUpAsked_ = true;
    for (const auto& [row, box] : boxes_) {
        if (box->count() < 2) continue;  // " (none) " alone
        queue_.push_back({row, 1, true});
        if (!timer_.isActive()) timer_.start();
        return;
    }
}

void PartThumbnails::DrawSome() {
    if (!prepared_ && source_ && !queue_.empty()) {
        prepared_ = true;
        source_->Prepare();  // a turn of its own
        return;
    }
    QElapsedTimer turn;
    turn.start();
    bool first = true;
    while (!queue_.empty() && (first || double(turn.nsecsElapsed()) / 1e6 + lastJobMilliseconds_ <=
                                            kBudgetMilliseconds)) {
        const Job job = queue_.front();
        queue_.pop_front();
        const QString path = QString::fromStdString(entryPath_(job.row, job.index));
        if (path.isEmpty()) continue;
        const QFileInfo info(path);
        if (!info.isFile()) continue;
        first = false;
        const qint64 start = turn.nsecsElapsed();
        bool fromMemory = false;
        if (job.warmUp) {
            if (source_) source_->Draw(path);
        } else {
            Show(job, PictureOf(path, QString::number(info.lastModified().toMSecsSinceEpoch()),
                                &fromMemory));
        }
        // A picture kept in memory says nothing of what the next one costs.
        if (!fromMemory) lastJobMilliseconds_ = double(turn.nsecsElapsed() - start) / 1e6;
    }
    if (queue_.empty()) timer_.stop();
}

QImage PartThumbnails::PictureOf(const QString& path, const QString& modified, bool* fromMemory) {
    const auto kept = memory_.find(path);
    *fromMemory = kept != memory_.end() && kept->second.modified == modified;
    if (*fromMemory) {
        kept->second.lastUse = ++uses_;
        return kept->second.picture;
    }
    QImage picture = cache_.Find(path);
    if (!picture.isNull()) {
        ++readFromCache_;
    } else if (source_) {
        picture = source_->Draw(path);
        if (!picture.isNull()) {
            ++drawn_;
            cache_.Store(path, picture);  // a cache that cannot be written is not used
        }
    }
    Keep(path, {modified, picture, 0});
    return picture;
}

void PartThumbnails::Keep(const QString& path, Kept kept) {
    kept.lastUse = ++uses_;
    memory_[path] = std::move(kept);
    while (memory_.size() > memoryLimit_) {
        const auto oldest = std::min_element(
            memory_.begin(), memory_.end(),
            [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; });
        memory_.erase(oldest);
    }
}

void PartThumbnails::Show(const Job& job, const QImage& picture) {
    PartListBox* box = BoxOf(job.row);
    if (!box || job.index >= box->count()) return;
    if (picture.isNull()) {
        box->setItemData(job.index, QVariant(), kThumbnailRole);
        return;
    }
    const qreal ratio = box->devicePixelRatioF();
    const int pixels = int(std::lround(kThumbnailLogicalPixels * ratio));
    QPixmap pixmap = QPixmap::fromImage(
        picture.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    box->setItemData(job.index, pixmap, kThumbnailRole);
    emit PictureShown(job.row, job.index);
}

}  // namespace bw
