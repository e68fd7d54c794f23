// Pictures of object files kept on disk in the freedesktop thumbnail cache, where desktop file
// managers keep theirs, so they show the same pictures: "<cache>/thumbnails/normal/<MD5 of the
// file's URI>.png", 128 pixels at most, each carrying its file's URI (Thumb::URI) and
// modification time in seconds (Thumb::MTime). A picture whose file changed since is stale.
#pragma once

#include <QImage>
#include <QString>

namespace bw {

class ThumbnailCache {
  public:
    // "$XDG_CACHE_HOME/thumbnails/normal", XDG_CACHE_HOME being "~/.cache" when unset or not
    // absolute.
    static QString DefaultDirectory();
    // "file://" and the absolute path, percent-encoded as the cache's file names require.
    static QString FileUri(const QString& path);

    explicit ThumbnailCache(QString directory = DefaultDirectory())
        : directory_(std::move(directory)) {}

    // Where the picture of `path` is kept.
    QString PicturePath(const QString& path) const;
    // The kept picture of `path`; null when there is none, it cannot be read, or its URI or
    // modification time is not the file's now.
    QImage Find(const QString& path) const;
    // Keeps `picture` for `path`, written to a temporary file and renamed into place (the
    // directory made with owner-only permissions); false, keeping nothing, when the file is
    // gone or the cache cannot be written.
    bool Store(const QString& path, const QImage& picture) const;

  private:
    QString directory_;
};

}  // namespace bw
