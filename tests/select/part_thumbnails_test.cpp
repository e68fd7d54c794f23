// The pictures in the Select Parts lists, drawn in the program's own offscreen context beside
// the preview: an open list gets a picture for every file but " (none) ", without changing its
// names or its closed look; the pictures are kept in the freedesktop cache and read from it the
// next time; a file whose modification time changed is drawn again, and a file that does not
// load gets no picture and no message.
#include "select/ui/part_thumbnails.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QTabWidget>
#include <filesystem>

#include "app/ui/main_dialog.h"
#include "select/ui/select_parts_page.h"
#include "select/ui/thumbnail_cache.h"
#include "select/ui/thumbnail_delegate.h"
#include "support/gui_fixture.h"
#include "support/spawned_process.h"
#include "support/temporary_directory.h"

namespace bw::test {
namespace {

namespace fs = std::filesystem;

constexpr BodyPartId kHead = 0;

// A library of the sample heads and one file that is no object file.
class ThumbnailLibrary {
  public:
    ThumbnailLibrary() {
        fs::create_directories(Head());
        for (const auto& entry :
             fs::directory_iterator(fs::path(SampleLibraryDirectory()) / "Head"))
            fs::copy_file(entry.path(), Head() / entry.path().filename());
        dir.Write("Objects/Head/Zz-Broken.bwo", std::string("BOWB, and nothing after it"));
    }
    fs::path Head() const { return fs::path(dir.Path()) / "Objects" / "Head"; }
    std::string Objects() const { return dir.Path() + "/Objects"; }
    TemporaryDirectory dir;
};

// The main dialog over `library`, its Head list opened and every picture drawn.
struct OpenedHeadList {
    explicit OpenedHeadList(const ThumbnailLibrary& library) : fixture(library.Objects().c_str()) {
        MainDialog& dialog = fixture.Show();
        dialog.Tabs()->setCurrentIndex(MainDialog::kSelectPartsTab);
        page = dialog.SelectParts();
        box = page->PartListBox(kHead);
        box->showPopup();
        EXPECT_TRUE(WaitUntil(
            [&] {
                QCoreApplication::processEvents();
                return page->Thumbnails().Idle();
            },
            60));
        box->hidePopup();
    }
    QPixmap Picture(int index) const {
        return box->itemData(index, kThumbnailRole).value<QPixmap>();
    }

    MainDialogFixture fixture;
    SelectPartsPage* page = nullptr;
    QComboBox* box = nullptr;
};

TEST(PartThumbnailsTest, AnOpenListShowsAPictureOfEveryFileAndKeepsThemInTheCache) {
    ThumbnailLibrary library;
    const int files = 10;  // the sample heads; the broken file is the last entry
    {
        OpenedHeadList list(library);
        ASSERT_EQ(list.box->count(), files + 2);
        EXPECT_TRUE(list.Picture(0).isNull());  // " (none) "
        for (int i = 1; i <= files; ++i) {
            const QPixmap picture = list.Picture(i);
            ASSERT_FALSE(picture.isNull()) << i;
            EXPECT_EQ(picture.deviceIndependentSize().toSize(), QSize(48, 48));
            // Something is drawn on the transparent background.
            const QImage image = picture.toImage();
            int drawn = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) drawn += qAlpha(image.pixel(x, y)) > 0;
            EXPECT_GT(drawn, image.width() * image.height() / 10) << i;
            EXPECT_LT(drawn, image.width() * image.height()) << i;
            // The closed list shows the name alone; names are as they were.
            EXPECT_TRUE(list.box->itemIcon(i).isNull());
        }
        EXPECT_EQ(list.box->itemText(1).toStdString(), "Fantasy-Horned.bwo");
        EXPECT_TRUE(list.Picture(files + 1).isNull());  // the broken file
        EXPECT_TRUE(list.fixture.notifier.messages.empty());
        EXPECT_EQ(list.page->Thumbnails().Drawn(), files);
        EXPECT_EQ(list.page->Thumbnails().ReadFromCache(), 0);
        // The cache holds each picture under the MD5 of its file's URI, tagged with both.
        const ThumbnailCache cache;
        const QString horned =
            QString::fromStdString((library.Head() / "Fantasy-Horned.bwo").string());
        const QImage kept(cache.PicturePath(horned));
        ASSERT_FALSE(kept.isNull());
        EXPECT_EQ(kept.text("Thumb::URI"), ThumbnailCache::FileUri(horned));
        EXPECT_TRUE(ThumbnailCache::FileUri(horned).startsWith("file:///"));
        EXPECT_EQ(kept.text("Thumb::MTime"),
                  QString::number(QFileInfo(horned).lastModified().toSecsSinceEpoch()));
    }

    // A new window reads every picture from the cache.
    {
        OpenedHeadList list(library);
        EXPECT_EQ(list.page->Thumbnails().Drawn(), 0);
        EXPECT_EQ(list.page->Thumbnails().ReadFromCache(), files);
        EXPECT_FALSE(list.Picture(files).isNull());
    }

    // A file whose modification time changed is drawn again; the others still come from the
    // cache.
    QFile changed(QString::fromStdString((library.Head() / "Male-Round.bwo").string()));
    ASSERT_TRUE(changed.open(QIODevice::ReadWrite));
    ASSERT_TRUE(changed.setFileTime(QFileInfo(changed).lastModified().addSecs(-3600),
                                    QFileDevice::FileModificationTime));
    changed.close();
    {
        OpenedHeadList list(library);
        EXPECT_EQ(list.page->Thumbnails().Drawn(), 1);
        EXPECT_EQ(list.page->Thumbnails().ReadFromCache(), files - 1);
    }
}

TEST(PartThumbnailsTest, ACacheThatCannotBeWrittenIsNotUsed) {
    ThumbnailLibrary library;
    TemporaryDirectory blocked;
    // A file where the cache's folder would be.
    const std::string file = blocked.Write("thumbnails", std::string("not a folder"));
    const ThumbnailCache cache(QString::fromStdString(file + "/normal"));
    const QString horned = QString::fromStdString((library.Head() / "Fantasy-Horned.bwo").string());
    QImage picture(128, 128, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    EXPECT_FALSE(cache.Store(horned, picture));
    EXPECT_TRUE(cache.Find(horned).isNull());
    // And a picture of a file that is gone is not found.
    const ThumbnailCache writable(QString::fromStdString(blocked.Path() + "/ok"));
    ASSERT_TRUE(writable.Store(horned, picture));
    ASSERT_TRUE(writable.Store(horned, picture));  // replaced in place
    EXPECT_FALSE(writable.Find(horned).isNull());
    // One picture, readable by its owner alone, and nothing written on the way left behind.
    const QStringList kept = QDir(QString::fromStdString(blocked.Path() + "/ok"))
                                 .entryList(QDir::Files | QDir::Hidden | QDir::System);
    EXPECT_EQ(kept, QStringList{QFileInfo(writable.PicturePath(horned)).fileName()});
    const QFileDevice::Permissions permissions = QFile::permissions(writable.PicturePath(horned));
    EXPECT_TRUE(permissions.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_FALSE(permissions & (QFileDevice::ReadGroup | QFileDevice::ReadOther |
                                QFileDevice::WriteGroup | QFileDevice::WriteOther));
    QFile::remove(horned);
    EXPECT_TRUE(writable.Find(horned).isNull());
    // The folder the cache made is its owner's alone, as the thumbnail rules ask.
    const QFileDevice::Permissions folder =
        QFile::permissions(QString::fromStdString(blocked.Path() + "/ok"));
    EXPECT_TRUE(
        folder.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    EXPECT_FALSE(folder &
                 (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                  QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther));
}

TEST(PartThumbnailsTest, AFileChangedWhileTheProgramRunsIsDrawnAgainWhenItsListOpens) {
    ThumbnailLibrary library;
    OpenedHeadList list(library);
    const int drawn = list.page->Thumbnails().Drawn();
    ASSERT_GT(drawn, 0);
    // Re-saved (by the converter, say): a new modification time.
    QFile changed(QString::fromStdString((library.Head() / "Male-Round.bwo").string()));
    ASSERT_TRUE(changed.open(QIODevice::ReadWrite));
    ASSERT_TRUE(changed.setFileTime(QFileInfo(changed).lastModified().addSecs(60),
                                    QFileDevice::FileModificationTime));
    changed.close();
    list.box->showPopup();
    EXPECT_TRUE(WaitUntil(
        [&] {
            QCoreApplication::processEvents();
            return list.page->Thumbnails().Idle();
        },
        60));
    list.box->hidePopup();
    EXPECT_EQ(list.page->Thumbnails().Drawn(), drawn + 1);
}

TEST(PartThumbnailsTest, InAListLongerThanItsPopupEveryVisibleEntryGetsItsPicture) {
    ThumbnailLibrary library;
    const fs::path source = library.Head() / "Male-Round.bwo";
    for (int k = 0; k < 40; ++k)
        fs::copy_file(source, library.Head() / ("Long-" + std::to_string(100 + k) + ".bwo"));
    OpenedHeadList list(library);
    list.box->showPopup();
    QAbstractItemView* view = list.box->view();
    EXPECT_TRUE(WaitUntil(
        [&] {
            QCoreApplication::processEvents();
            return list.page->Thumbnails().Idle();
        },
        60));
    const QRect shown = view->viewport()->rect();
    int visible = 0, last = -1;
    for (int i = 1; i < list.box->count(); ++i) {
        const QRect row = view->visualRect(view->model()->index(i, 0));
        if (!row.intersects(shown)) continue;
        ++visible;
        last = i;
        if (list.box->itemText(i) == "Zz-Broken.bwo") continue;
        EXPECT_FALSE(list.Picture(i).isNull()) << i << " " << list.box->itemText(i).toStdString();
    }
    list.box->hidePopup();
    ASSERT_LT(visible, list.box->count() - 1) << "the list must be longer than its popup";
    EXPECT_FALSE(list.Picture(last).isNull()) << "the last visible entry";
}

TEST(PartThumbnailsTest, MemoryKeepsAtMostItsLimitOfPicturesTheRestComeFromTheDisk) {
    ThumbnailLibrary library;
    MainDialogFixture fixture(library.Objects().c_str());
    MainDialog& dialog = fixture.Show();
    dialog.Tabs()->setCurrentIndex(MainDialog::kSelectPartsTab);
    PartThumbnails& thumbnails = dialog.SelectParts()->Thumbnails();
    thumbnails.SetMemoryLimit(4);
    QComboBox* box = dialog.SelectParts()->PartListBox(kHead);
    const auto openAndWait = [&] {
        box->showPopup();
        EXPECT_TRUE(WaitUntil(
            [&] {
                QCoreApplication::processEvents();
                return thumbnails.Idle();
            },
            60));
        box->hidePopup();
    };
    openAndWait();
    EXPECT_EQ(thumbnails.PicturesInMemory(), 4u);
    EXPECT_EQ(thumbnails.Drawn(), 10);
    EXPECT_EQ(thumbnails.ReadFromCache(), 0);
    // Opened again, the pictures memory let go of are read from the disk cache, none drawn.
    openAndWait();
    EXPECT_EQ(thumbnails.PicturesInMemory(), 4u);
    EXPECT_EQ(thumbnails.Drawn(), 10);
    EXPECT_GT(thumbnails.ReadFromCache(), 0);
    for (int i = 1; i <= 10; ++i)
        EXPECT_FALSE(box->itemData(i, kThumbnailRole).value<QPixmap>().isNull()) << i;
}

}  // namespace
}  // namespace bw::test
