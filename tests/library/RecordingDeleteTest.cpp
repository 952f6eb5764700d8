#include "library/RecordingDelete.h"

#include "common/NativePath.h"
#include "library/RecordingCatalogue.h"
#include "tests/support/SmallDisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

QList<bool> Marks(int rows, const QList<int>& marked) {
    QList<bool> marks(rows, false);
    for (int row : marked)
        marks[row] = true;
    return marks;
}

TEST(DeletePlan, LeavesTheOpenRecordingOutAndNotesTheFirstMark) {
    const struct {
        const char* name;
        QList<int> marked;
        int currentIndex;
        QList<int> rows;
        int firstMarked;
        bool protectedMarked;
    } cases[] = {
        {"nothing marked", {}, -1, {}, -1, false},
        {"two marked", {3, 5}, -1, {3, 5}, 3, false},
        {"open recording alone", {4}, 4, {}, 4, true},
        {"open recording among others", {2, 4, 7}, 4, {2, 7}, 2, true},
        {"open recording unmarked", {2, 7}, 4, {2, 7}, 2, false},
    };
    for (const auto& test : cases) {
        const DeletePlan plan = PlanDelete(Marks(10, test.marked), test.currentIndex);
        EXPECT_EQ(plan.rows, test.rows) << test.name;
        EXPECT_EQ(plan.firstMarked, test.firstMarked) << test.name;
        EXPECT_EQ(plan.protectedMarked, test.protectedMarked) << test.name;
    }
}

TEST(DeletePlan, SelectsTheRowBeforeTheFirstDeleted) {
    const struct {
        int firstMarked;
        int rowsLeft;
        int selected;
    } cases[] = {
        {3, 8, 2},  // rows 3 and 5 of ten
        {0, 9, -1}, // row 0: nothing before it
        {8, 8, 7},  // the last two: the new last row
        {5, 0, -1}, // the list is empty now
        {9, 3, 2},  // the list shrank below the first mark
    };
    for (const auto& test : cases)
        EXPECT_EQ(RowAfterDelete(test.firstMarked, test.rowsLeft), test.selected)
            << test.firstMarked << ' ' << test.rowsLeft;
}

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
}

TEST(DeleteFiles, RemovesTheVideoWithTheTelemetryThatExists) {
    QTemporaryDir folder;
    const QString base = folder.path() + "/20240105_101010_NOR";
    Touch(base + ".AVI");
    Touch(base + ".gsf");
    Touch(base + ".gps");
    Touch(folder.path() + "/20240105_111111_EVT.MP4");
    Touch(folder.path() + "/20240105_111111_EVT.GPS");
    Touch(folder.path() + "/20240106_090000_MOT.AVI");
    EXPECT_TRUE(DeleteRecordingFiles(base + ".AVI").isEmpty());
    EXPECT_TRUE(DeleteRecordingFiles(folder.path() + "/20240105_111111_EVT.MP4").isEmpty());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"20240106_090000_MOT.AVI"});
    EXPECT_TRUE(DeleteRecordingFiles(base + ".AVI").isEmpty()) << "already gone is no error";
}

// The names' own bytes, sorted: Qt's listing would show some of them alike.
QByteArrayList NativeEntries(const QString& folder) {
    QByteArrayList names;
    DIR* dir = opendir(NativePath(folder).constData());
    while (const dirent* entry = dir ? readdir(dir) : nullptr)
        if (entry->d_name[0] != '.')
            names << entry->d_name;
    if (dir)
        closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

// Two recordings whose names Qt's conversions once made one: deleting the row of the second
// removed the first (U+FEFF dropped; a byte that is not UTF-8 turned into U+FFFD).
TEST(DeleteFiles, ARecordingDeletesItsOwnFilesNotThoseOfALookAlikeName) {
    const struct {
        QByteArray kept;
        QByteArray deleted;
    } cases[] = {
        {"X", "X\xEF\xBB\xBF"},
        {"X", "\xEF\xBB\xBFX"},
        {"\xEF\xBF\xBD", "\xE9"},
    };
    for (const auto& test : cases) {
        const QTemporaryDir folder;
        const QByteArray native = NativePath(folder.path()) + '/';
        for (const QByteArray& base : {test.kept, test.deleted}) {
            for (const char* ending : {".AVI", ".gps"}) {
                const int file =
                    ::open((native + base + ending).constData(), O_WRONLY | O_CREAT, 0644);
                ASSERT_EQ(::ftruncate(file, 1024), 0); // a video is listed from 1 KiB
                ::close(file);
            }
        }
        const QList<RecordingEntry> rows = ListRecordings(folder.path(), true, KindAll, false, 0);
        ASSERT_EQ(rows.size(), 2);
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const RecordingEntry& r) {
            return NativePath(r.path) == native + test.deleted + ".AVI";
        });
        ASSERT_NE(row, rows.end()) << test.deleted.toHex().constData();
        EXPECT_TRUE(DeleteRecordingFiles(row->path).isEmpty());
        EXPECT_EQ(NativeEntries(folder.path()),
                  (QByteArrayList{test.kept + ".AVI", test.kept + ".gps"}))
            << test.deleted.toHex().constData();
    }
}

TEST(DeleteFiles, NamesTheFilesAWriteProtectedCardKeeps) {
    SmallDisk card(64 * 1024);
    const QString video = card.Path() + "/20240105_101010_NOR.AVI";
    Touch(video);
    Touch(card.Path() + "/20240105_101010_NOR.gps");
    if (!card.ReadOnly())
        GTEST_SKIP() << "this machine cannot make a folder read-only for this process";
    EXPECT_EQ(DeleteRecordingFiles(video),
              QStringList({video, card.Path() + "/20240105_101010_NOR.gps"}));
    EXPECT_TRUE(QFile::exists(video));
}

} // namespace
