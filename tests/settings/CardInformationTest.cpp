#include "settings/CardInformation.h"

#include "library/KindUsage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class KindUsage : public ::testing::Test {
protected:
    // A file of that size (sparse: no room taken on the disk) below Recordings.
    void Put(const QString& relativePath, qint64 bytes) const {
        const QString path = Recordings() + '/' + relativePath;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(bytes));
    }
    QString Recordings() const { return m_dir.path() + "/Recordings"; }

    QTemporaryDir m_dir;
};

TEST_F(KindUsage, CountsRecordingsOfTheKindAnywhereBelowInWholeKilobytes) {
    // Positions 16 to 18 hold the kind; the folder a file lies in does not matter.
    Put("NOR/20240101_120000_NOR.AVI", 2'097'152'000);
    Put("NOR/20240101_120000_NOR.gps", 5'000'000);
    Put("NOR/20240101_120000_NOR.gsf", 5'000'000);
    Put("EVT/deeper/still/20240101_120500_nor.mp4", 1024);
    Put("20240101_121000_NOR.AVI", 1023);
    Put("20240101_121500_NOR.AVi", 3071);
    Put("20240101_122000_NOR.MOV", 4096);
    Put("20240101_NOR.AVI", 4096); // too short for its kind to stand at 16 to 18
    Put("EVT/20240101_123000_EVT.AVI", 10 * 1024);
    Put("NOR/20240101_123500_MOT.MP4", 7 * 1024 + 1023);

    const qint64 normal = MeasureKindUsage(Recordings(), "NOR");
    EXPECT_EQ(normal, 2'048'000 + 1 + 0 + 2);
    EXPECT_EQ(RecordingsSizeText(normal), "2.0 GB");
    EXPECT_EQ(MeasureKindUsage(Recordings(), "EVT"), 10);
    EXPECT_EQ(MeasureKindUsage(Recordings(), "MOT"), 7);
    EXPECT_EQ(MeasureKindUsage(m_dir.path() + "/missing", "NOR"), 0);
}

TEST_F(KindUsage, DoesNotFollowLinksToFolders) {
    Put("NOR/20240101_120000_NOR.AVI", 2048);
    // A link back up would make the walk endless; a link elsewhere counts nothing twice.
    ASSERT_TRUE(QFile::link(Recordings(), Recordings() + "/NOR/loop"));
    EXPECT_EQ(MeasureKindUsage(Recordings(), "NOR"), 2);
}

// The sum of many large files needs 64 bits.
TEST_F(KindUsage, SumsBeyondThirtyTwoBits) {
    for (int i = 0; i < 3; ++i)
        Put(QString("20240101_12000%1_MOT.MP4").arg(i), 1'600'000'000'000LL);
    EXPECT_EQ(MeasureKindUsage(Recordings(), "MOT"), 3 * (1'600'000'000'000LL / 1024));
}

TEST(CardInformationTexts, FollowTheCamerasRounding) {
    const struct {
        qint64 bytes;
        const char* shown;
    } volumes[] = {
        {0, "0.0 GB"},
        {1048575, "0.0 GB"},              // less than a megabyte counts nothing
        {31'914'983'424LL, "29.7 GB"},    // a "32 GB" card
        {1024LL * 1048576 - 1, "1.0 GB"}, // 1023 whole megabytes
        {2'000'000'000'000LL, "1862.6 GB"},
    };
    for (const auto& v : volumes)
        EXPECT_EQ(VolumeSizeText(v.bytes), v.shown) << v.bytes;
    EXPECT_EQ(RecordingsSizeText(0), "0.0 GB");
    EXPECT_EQ(RecordingsSizeText(99 * 1024 * 1024 / 1000), "0.1 GB");
    EXPECT_EQ(RecordingsSizeText(1024 * 1024), "1.0 GB");
}

TEST(CardInformationTexts, TakeTheFirmwareFromTheProgramsFile) {
    QTemporaryDir card;
    SettingsRecord programFile;
    programFile.vk_fw_version = "1.02.07";
    programFile.vk_build_number = "B20240101";
    SettingsRecord cameraFile;
    cameraFile.vk_fw_version = "1.03.00";
    cameraFile.vk_build_number = "B20250505";
    const CardInformation info = ReadCardInformation(card.path() + '/', programFile, cameraFile);
    EXPECT_EQ(info.fwVersion, "1.02.07");
    EXPECT_EQ(info.buildNumber, "B20240101");
    // A setting_pcm.ini without them (or none at all): the camera's own setting.ini tells.
    const CardInformation fromCamera =
        ReadCardInformation(card.path() + '/', SettingsRecord(), cameraFile);
    EXPECT_EQ(fromCamera.fwVersion, "1.03.00");
    EXPECT_EQ(fromCamera.buildNumber, "B20250505");
    EXPECT_EQ(info.version, "1.1.5");
    ASSERT_TRUE(info.totalBytes);
    EXPECT_TRUE(info.TotalText().endsWith(" GB"));
    EXPECT_EQ(info.NormalText(), "0.0 GB");

    const CardInformation none = ReadCardInformation({}, programFile, SettingsRecord());
    EXPECT_FALSE(none.totalBytes);
    EXPECT_TRUE(none.TotalText().isEmpty());
}

} // namespace
