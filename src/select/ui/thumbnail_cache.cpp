#include "select/ui/thumbnail_cache.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QUrl>
#include <filesystem>
#include <system_error>

namespace bw {
namespace {

constexpr const char* kUriKey = "Thumb::URI";
constexpr const char* kMTimeKey = "Thumb::MTime";

// The file's modification time in whole seconds, as the cache stores it; empty when
// the file is not there.
QString ModificationTime(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return {};
    return QString::number(info.lastModified().toSecsSinceEpoch());
}

}  // namespace

QString ThumbnailCache::DefaultDirectory() {
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty() || !QDir::isAbsolutePath(cache)) cache = QDir::homePath() + "/.cache";
    return cache + "/thumbnails/normal";
}

QString ThumbnailCache::FileUri(const QString& path) {
    return QString::fromLatin1(
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded(QUrl::FullyEncoded));
}

QString ThumbnailCache::PicturePath(const QString& path) const {
    const QByteArray hash =
        QCryptographicHash::hash(FileUri(path).toUtf8(), QCryptographicHash::Md5).toHex();
    return directory_ + "/" + QString::fromLatin1(hash) + ".png";
}

QImage ThumbnailCache::Find(const QString& path) const {
    const QString mtime = ModificationTime(path);
    if (mtime.isEmpty()) return {};
    QImage picture(PicturePath(path));
    if (picture.isNull() || picture.text(kUriKey) != FileUri(path) ||
        picture.text(kMTimeKey) != mtime)
        return {};
    return picture;
}

bool ThumbnailCache::Store(const QString& path, const QImage& picture) const {
    const QString mtime = ModificationTime(path);
    if (mtime.isEmpty() || picture.isNull()) return false;
    if (!QDir().mkpath(directory_)) return false;
    QFile::setPermissions(directory_,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QImage tagged = picture;
    tagged.setText(kUriKey, FileUri(path));
    tagged.setText(kMTimeKey, mtime);
    // Written beside its place and renamed over it, so a reader never sees half a picture.
    // Not synced to disk: a picture lost in a crash is only drawn again, and a sync can take
    // longer than a frame.
    QTemporaryFile file(directory_ + "/.bw-XXXXXX.png");  // readable by the owner alone
    if (!file.open() || !tagged.save(&file, "PNG") || !file.flush()) return false;
    std::error_code failed;
    std::filesystem::rename(QFile::encodeName(file.fileName()).toStdString(),
                            QFile::encodeName(PicturePath(path)).toStdString(), failed);
    if (failed) return false;
    file.setAutoRemove(false);
    return true;
}

}  // namespace bw
