#include "playback/SnapshotName.h"

#include "tests/support/RunCli.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(SnapshotName, NumbersFromOneWithAtLeastThreeDigits) {
    const struct {
        const char* recording;
        int number;
        const char* name;
    } cases[] = {
        {"20130521_153000_NOR.AVI", 1, "20130521_153000_NOR_001.jpg"},
        {"20130521_153000_EVT.MP4", 42, "20130521_153000_EVT_042.jpg"},
        {"20130521_153000_MOT.avi", 1000, "20130521_153000_MOT_1000.jpg"},
        {"AVI", 7, "_007.jpg"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SnapshotFileName(c.recording, c.number), c.name) << c.recording;
}

TEST(SnapshotName, SuggestsTheSmallestFreeNumberInTheFolder) {
    QTemporaryDir folder;
    const QString recording = "20130521_153000_NOR.AVI";
    EXPECT_EQ(SuggestSnapshotName(folder.path(), recording), "20130521_153000_NOR_001.jpg");
    Touch(folder.filePath("20130521_153000_NOR_001.jpg"));
    Touch(folder.filePath("20130521_153000_NOR_002.jpg"));
    Touch(folder.filePath("20130521_153000_NOR_004.jpg"));
    Touch(folder.filePath("20130521_153000_EVT_003.jpg"));
    EXPECT_EQ(SuggestSnapshotName(folder.path(), recording), "20130521_153000_NOR_003.jpg");
    EXPECT_EQ(SuggestSnapshotName(folder.path() + '/', recording), "20130521_153000_NOR_003.jpg");
    // No folder known yet: 001, whatever the working folder holds.
    EXPECT_EQ(SuggestSnapshotName({}, recording), "20130521_153000_NOR_001.jpg");

    const CliResult cli = RunCli({"snapshot-name", folder.path(), recording});
    EXPECT_EQ(cli.exitCode, 0) << cli.error.toStdString();
    EXPECT_EQ(cli.Text(), "20130521_153000_NOR_003.jpg\n");
    EXPECT_EQ(RunCli({"snapshot-name", folder.path()}).exitCode, 2);
}

TEST(SnapshotName, TheChosenNameEndsInJpgOnce) {
    const struct {
        const char* chosen;
        const char* target;
        const char* folder;
    } cases[] = {
        {"/home/u/shot.JPG", "/home/u/shot.jpg", "/home/u"},
        {"/home/u/shot.jpg", "/home/u/shot.jpg", "/home/u"},
        {"/home/u/shot.Jpg", "/home/u/shot.jpg", "/home/u"},
        {"/home/u/shot.png", "/home/u/shot.png.jpg", "/home/u"},
        {"/home/u/shot", "/home/u/shot.jpg", "/home/u"},
        {"/home/u.v/shot", "/home/u.v/shot.jpg", "/home/u.v"},
        {"/home/u/shot.jpeg", "/home/u/shot.jpeg.jpg", "/home/u"},
        {"/shot.jpg", "/shot.jpg", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SnapshotTarget(c.chosen), c.target) << c.chosen;
        EXPECT_EQ(SnapshotFolderOf(SnapshotTarget(c.chosen)), c.folder) << c.chosen;
    }
}

} // namespace
