#include "settings/CardSettings.h"
#include "settings/SettingsRecord.h"
#include "settings/WifiPassword.h"
#include "tests/common/FileSizeLimit.h"
#include "tests/settings/DefaultSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class SettingsWriteTest : public testing::Test {
protected:
    QString Path(const QString& name) const { return m_folder.filePath(name); }
    QStringList Entries(const QString& folder = ".") const {
        return QDir(Path(folder)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QTemporaryDir m_folder;
};

TEST_F(SettingsWriteTest, WritesTheKeysInOrderWithCrLf) {
    SettingsRecord record = DefaultSettings();
    ASSERT_EQ(record.Write(Path("setting_pcm.ini")), SettingsWriteResult::Written);
    EXPECT_EQ(Contents(Path("setting_pcm.ini")), QByteArray(DefaultSettingsFile));
}

TEST_F(SettingsWriteTest, LeavesOutOnlyTheOptionalLines) {
    SettingsRecord record = DefaultSettings();
    record.vk_date = "2012/10/16";
    record.vk_time = "19:31:01";
    record.vk_gps_sync_time = 1;
    record.vk_gps_timezone = -530;
    record.vk_park_voltage = 24.85;
    record.vk_park_shutdown_voltage = 12;
    record.vk_wifi_ap_ssid = "VESKA-QX5-Car";
    record.vk_wifi_ap_pwd = "5820174639";
    record.vk_fw_version = "1.02.07";
    record.pcm_update_flag = 0;
    ASSERT_EQ(record.Write(Path("setting_pcm.ini")), SettingsWriteResult::Written);
    EXPECT_EQ(record.vk_wifi_ap_pwd_encript, 1);
    const QList<QByteArray> lines = Contents(Path("setting_pcm.ini")).split('\n');
    EXPECT_EQ(lines.mid(0, 4),
              (QList<QByteArray>{"vk_date=2012/10/16\r", "vk_time=19:31:01\r",
                                 "vk_gps_sync_time=1\r", "vk_gps_timezone=-530\r"}));
    EXPECT_TRUE(lines.contains("vk_park_voltage=24.9\r"));
    EXPECT_TRUE(lines.contains("vk_park_shutdown_voltage=12.0\r"));
    EXPECT_EQ(lines.mid(36),
              (QList<QByteArray>{
                  "vk_wifi_ap_ssid=VESKA-QX5-Car\r",
                  "vk_wifi_ap_pwd=" + EncodeWifiPassword("5820174639")->toLatin1() + "\r",
                  "vk_wifi_ap_pwd_encript=1\r", "vk_fw_version=1.02.07\r", "vk_build_number=\r",
                  "pcm_version=1.1.5\r", "pcm_update_flag=1\r", ""}));

    // Without clock sync the time zone is not written, whatever the field holds.
    record.vk_gps_sync_time = 0;
    ASSERT_EQ(record.Write(Path("setting_pcm.ini")), SettingsWriteResult::Written);
    EXPECT_FALSE(Contents(Path("setting_pcm.ini")).contains("vk_gps_timezone"));
}

TEST_F(SettingsWriteTest, CreatesTheConfigFolderOneLevelDeep) {
    SettingsRecord record = DefaultSettings();
    EXPECT_EQ(record.Write(Path("Config/setting_pcm.ini")), SettingsWriteResult::Written);
    EXPECT_EQ(Contents(Path("Config/setting_pcm.ini")), QByteArray(DefaultSettingsFile));
    EXPECT_EQ(record.Write(Path("a/b/setting_pcm.ini")), SettingsWriteResult::CannotWrite);
    Put(Path("plain"), "a file, not a folder");
    EXPECT_EQ(record.Write(Path("plain/setting_pcm.ini")), SettingsWriteResult::CannotWrite);
    EXPECT_EQ(record.Write(Path("Config")), SettingsWriteResult::CannotWrite);
    EXPECT_EQ(Entries(), (QStringList{"Config", "plain"}));
}

TEST_F(SettingsWriteTest, RefusesFieldsTheFileCannotHoldAndTouchesNothing) {
    Put(Path("setting.ini"), "vk_audio_volume=3\r\n");
    struct Case {
        void (*change)(SettingsRecord&);
        int result;
    } cases[] = {
        {[](SettingsRecord& r) { r.vk_wifi_ap_pwd = "0123456789abcdefghij"; },
         SettingsWriteResult::PasswordTooLong},
        {[](SettingsRecord& r) { r.vk_wifi_ap_pwd = QString::fromUtf8("\u0101"); },
         SettingsWriteResult::TextNotWritable},
        // A plain password read from a file may hold a NUL; encoded, it would end there.
        {[](SettingsRecord& r) { r.vk_wifi_ap_pwd = QString::fromLatin1("a\0b", 3); },
         SettingsWriteResult::TextNotWritable},
        {[](SettingsRecord& r) { r.vk_wifi_ap_ssid = QString::fromUtf8("VESKA-QX5-\u0416"); },
         SettingsWriteResult::TextNotWritable},
        {[](SettingsRecord& r) { r.vk_fw_version = "1.0\nvk_audio_volume=0"; },
         SettingsWriteResult::TextNotWritable},
    };
    for (const Case& test : cases) {
        SettingsRecord record = DefaultSettings();
        test.change(record);
        const SettingsRecord before = record;
        EXPECT_EQ(record.Write(Path("setting.ini")), test.result);
        EXPECT_EQ(Contents(Path("setting.ini")), QByteArray("vk_audio_volume=3\r\n"));
        EXPECT_TRUE(record == before);
    }
    // Sixteen characters fit the enciphered block; Latin-1 letters are single bytes.
    SettingsRecord record = DefaultSettings();
    record.vk_wifi_ap_pwd = QString::fromUtf8("0123456789abcd\u00E9\u00FF");
    record.vk_fw_version = QString::fromUtf8("1.0 \u00E9");
    EXPECT_EQ(record.Write(Path("setting.ini")), SettingsWriteResult::Written);
    EXPECT_TRUE(Contents(Path("setting.ini")).contains("vk_fw_version=1.0 \xE9\r\n"));
}

// A plain password of a file goes back into it as the camera holds it: up to 19 characters, the
// ones past the enciphered block as they stand.
TEST_F(SettingsWriteTest, PlainPasswordsUpToNineteenCharactersAreWrittenBack) {
    for (const char* password : {"0123456789abcdefg", "0123456789abcdefghi"}) {
        Put(Path("setting.ini"),
            QByteArray("vk_wifi_ap_pwd=") + password + "\r\nvk_wifi_ap_pwd_encript=0\r\n");
        CardSettings info;
        ASSERT_EQ(info.Read(SettingsSlot::First, Path("setting.ini")), SettingsReadResult::Read);
        SettingsRecord& record = info.Record(SettingsSlot::First);
        ASSERT_EQ(record.Write(Path("setting.ini")), SettingsWriteResult::Written) << password;
        const QByteArray plainTail = QByteArray(password).mid(16).toHex().toUpper();
        EXPECT_TRUE(Contents(Path("setting.ini"))
                        .contains(plainTail + QByteArray(8 - plainTail.size(), '0') +
                                  "\r\nvk_wifi_ap_pwd_encript=1\r\n"))
            << password;
        ASSERT_EQ(info.Read(SettingsSlot::Second, Path("setting.ini")), SettingsReadResult::Read);
        EXPECT_EQ(info.Record(SettingsSlot::Second).vk_wifi_ap_pwd, password);
    }
}

// A card that fills up part-way: the write fails and the old file stays whole, with no leftovers.
TEST_F(SettingsWriteTest, AFailedWriteKeepsTheOldFile) {
    const QByteArray old = "vk_audio_volume=3\r\n";
    Put(Path("setting_pcm.ini"), old);
    SettingsRecord record = DefaultSettings();

    int result;
    {
        const FileSizeLimit limit(100); // bytes: less than the file needs
        ASSERT_TRUE(limit.Active());
        result = record.Write(Path("setting_pcm.ini"));
    }
    EXPECT_EQ(result, SettingsWriteResult::CannotWrite);
    EXPECT_EQ(Contents(Path("setting_pcm.ini")), old);
    EXPECT_EQ(Entries(), QStringList{"setting_pcm.ini"});
    EXPECT_EQ(record.Write(Path("setting_pcm.ini")), SettingsWriteResult::Written);
    EXPECT_EQ(Contents(Path("setting_pcm.ini")), QByteArray(DefaultSettingsFile));
}

} // namespace
