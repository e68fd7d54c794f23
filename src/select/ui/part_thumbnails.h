// Draws the pictures of the Select Parts lists' entries while a list is open, never blocking:
// an open list shows at once, and its pictures appear as they are ready, the visible entries
// first, a few per turn of the event loop (the program has no worker threads). A picture is
// taken from memory, else from the disk cache (ThumbnailCache), else drawn by the source and
// kept in both. A file whose modification time changed is drawn again; a file that does not
// load gets no picture and no message. Memory keeps the pictures used last, at most
// MemoryLimit() of them.
#pragma once

#include <QObject>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>

#include "model/body_part_catalogue.h"
#include "select/ui/thumbnail_cache.h"
#include "ui/thumbnail_source.h"

namespace bw {

class PartListBox;

class PartThumbnails : public QObject {
    Q_OBJECT

  public:
    // `entryPath(row, index)` gives the object file of an entry, empty for none.
    PartThumbnails(std::function<std::string(BodyPartId, int)> entryPath, QObject* parent);

    // What draws the pictures; null (the default) for no pictures. Not owned.
    void SetSource(ThumbnailSource* source) {
        source_ = source;
        prepared_ = false;
    }
    ThumbnailSource* Source() const { return source_; }
    void SetCache(ThumbnailCache cache) { cache_ = std::move(cache); }
    // Draws row `row`'s pictures whenever `box` drops down.
    void Watch(BodyPartId row, PartListBox* box);
    // Behind whatever waits: the source is made ready in a turn of its own, and the first file
    // of the lists is drawn in the next and thrown away, so the first list to open finds the
    // drawing ready (a new OpenGL context and its first picture take a frame's time or more
    // each). Counts and keeps nothing. The window calls it once it is on screen.
    void WarmUp();

    // Pictures drawn by the source, and read from the disk cache, since this object was made.
    int Drawn() const { return drawn_; }
    int ReadFromCache() const { return readFromCache_; }
    // True when no picture waits to be drawn.
    bool Idle() const { return queue_.empty(); }
    // True once WarmUp was asked for and its picture drawn (the window's start-up work is over).
    bool WarmedUp() const { return warmUpAsked_ && Idle(); }

    // How many pictures memory keeps at most (at least 1); beyond it, the one used longest ago
    // goes first.
    static constexpr std::size_t kMemoryLimit = 256;
    void SetMemoryLimit(std::size_t pictures) { memoryLimit_ = std::max<std::size_t>(1, pictures); }
    std::size_t MemoryLimit() const { return memoryLimit_; }
    std::size_t PicturesInMemory() const { return memory_.size(); }

    // The time one turn of the event loop may spend on pictures, so that an open list still
    // repaints within a frame. A turn takes the next picture only when the last one's time
    // still fits, and always takes one: it draws one or two pictures (about 2 ms each) or
    // reads a dozen from the cache.
    static constexpr double kBudgetMilliseconds = 4.0;

  signals:
    void PictureShown(BodyPartId row, int index);

  private:
    struct Job {
        BodyPartId row;
        int index;
        // Drawn and thrown away, so that the drawing's first use (which makes its programs)
        // happens while no list waits.
        bool warmUp = false;
    };
    struct Kept {
        QString modified;
        QImage picture;  // null: the file does not load
        std::uint64_t lastUse = 0;
    };
    // The list watched for `row`; null for none.
    PartListBox* BoxOf(BodyPartId row) const;
    void Keep(const QString& path, Kept kept);
    // Every entry of `row`, the ones the open list shows first.
    void QueueRow(BodyPartId row);
    void DrawSome();
    void Show(const Job& job, const QImage& picture);
    QImage PictureOf(const QString& path, const QString& modified, bool* fromMemory);

    std::function<std::string(BodyPartId, int)> entryPath_;
    ThumbnailSource* source_ = nullptr;
    ThumbnailCache cache_;
    std::map<BodyPartId, PartListBox*> boxes_;
    std::deque<Job> queue_;
    std::map<QString, Kept> memory_;
    std::size_t memoryLimit_ = kMemoryLimit;
    std::uint64_t uses_ = 0;
    QTimer timer_;
    bool prepared_ = false;  // the source's Prepare was called
    bool warmUpAsked_ = false;
    double lastJobMilliseconds_ = 0.0;
    int drawn_ = 0;
    int readFromCache_ = 0;
};

}  // namespace bw
