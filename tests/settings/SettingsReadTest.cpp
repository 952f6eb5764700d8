#include "settings/CardSettings.h"
#include "settings/WifiPassword.h"
#include "tests/settings/DefaultSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SettingsReadTest : public testing::Test {
protected:
    QString Put(const QString& name, const QByteArray& bytes) {
        const QString path = m_folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir m_folder;
    CardSettings m_info;
};

TEST_F(SettingsReadTest, ReadsWhatWriteWrote) {
    SettingsRecord written = DefaultSettings();
    written.vk_wifi_ap_ssid = "VESKA-QX5";
    written.vk_wifi_ap_pwd = "5820174639";
    written.vk_fw_version = "1.02.07";
    ASSERT_EQ(written.Write(m_folder.filePath("setting_pcm.ini")), SettingsWriteResult::Written);
    EXPECT_EQ(m_info.Read(SettingsSlot::Second, m_folder.filePath("setting_pcm.ini")),
              SettingsReadResult::Read);
    EXPECT_TRUE(m_info.Record(SettingsSlot::Second) == written);
    EXPECT_TRUE(m_info.Record(SettingsSlot::First) == SettingsRecord());
}

TEST_F(SettingsReadTest, TakesLfOrCrLfAndAnUnendedLastLine) {
    const QString crlf =
        Put("crlf.ini", "vk_audio_volume=7\r\nvk_fw_version=1.0\r\r\nvk_wifi_channel=6");
    const QString lf = Put("lf.ini", "vk_audio_volume=7\nvk_fw_version=1.0\r\nvk_wifi_channel=6\n");
    ASSERT_EQ(m_info.Read(SettingsSlot::First, crlf), SettingsReadResult::Read);
    ASSERT_EQ(m_info.Read(SettingsSlot::Second, lf), SettingsReadResult::Read);
    const SettingsRecord& first = m_info.Record(SettingsSlot::First);
    EXPECT_EQ(first.vk_audio_volume, 7);
    EXPECT_EQ(first.vk_wifi_channel, 6);
    EXPECT_EQ(first.vk_fw_version, "1.0\r"); // only one CR belongs to the line end
    EXPECT_EQ(m_info.Record(SettingsSlot::Second).vk_fw_version, "1.0");
}

TEST_F(SettingsReadTest, AFileThatCannotBeReadLeavesTheSlotReset) {
    m_info.Record(SettingsSlot::First) = DefaultSettings();
    EXPECT_EQ(m_info.Read(SettingsSlot::First, m_folder.filePath("missing.ini")),
              SettingsReadResult::CannotRead);
    EXPECT_TRUE(m_info.Record(SettingsSlot::First) == SettingsRecord());
    QDir(m_folder.path()).mkdir("folder.ini");
    EXPECT_EQ(m_info.Read(SettingsSlot::First, m_folder.filePath("folder.ini")),
              SettingsReadResult::CannotRead);
}

TEST_F(SettingsReadTest, DecodesThePasswordOnlyWhenFlagged) {
    const QString encoded = *EncodeWifiPassword("5820174639");
    const std::pair<QByteArray, QString> cases[] = {
        {"vk_wifi_ap_pwd=" + encoded.toLatin1() + "\r\nvk_wifi_ap_pwd_encript=1\r\n", "5820174639"},
        // The flag may come before the password; the last password line wins.
        {"vk_wifi_ap_pwd_encript=1\r\nvk_wifi_ap_pwd=x\r\nvk_wifi_ap_pwd=" + encoded.toLatin1(),
         "5820174639"},
        {"vk_wifi_ap_pwd=5820174639\r\nvk_wifi_ap_pwd_encript=0\r\n", "5820174639"},
        {"vk_wifi_ap_pwd=5820174639\r\nvk_wifi_ap_pwd_encript=2\r\n", "5820174639"},
        {"vk_wifi_ap_pwd=" + encoded.toLatin1() + "\r\n", encoded},
        {"vk_wifi_ap_pwd_encript=1\r\n", ""},
    };
    for (const auto& [file, password] : cases) {
        EXPECT_EQ(m_info.Read(SettingsSlot::First, Put("setting.ini", file)),
                  SettingsReadResult::Read);
        EXPECT_EQ(m_info.Record(SettingsSlot::First).vk_wifi_ap_pwd, password) << file.data();
    }
}

TEST_F(SettingsReadTest, AnUndecodablePasswordIsReportedAndEverythingElseKept) {
    const QString path = Put("setting.ini", "vk_audio_volume=7\r\nvk_wifi_ap_pwd=5820174639\r\n"
                                            "vk_wifi_ap_pwd_encript=1\r\nvk_wifi_channel=6\r\n");
    EXPECT_EQ(m_info.Read(SettingsSlot::First, path), SettingsReadResult::PasswordUndecodable);
    const SettingsRecord& record = m_info.Record(SettingsSlot::First);
    EXPECT_EQ(record.vk_wifi_ap_pwd, QString());
    EXPECT_EQ(record.vk_wifi_ap_pwd_encript, 1);
    EXPECT_EQ(record.vk_audio_volume, 7);
    EXPECT_EQ(record.vk_wifi_channel, 6);
}

TEST_F(SettingsReadTest, APlainPasswordIsWrittenBackEncoded) {
    const QString device =
        Put("setting.ini", "vk_wifi_ap_pwd=5820174639\r\nvk_wifi_ap_pwd_encript=0\r\n");
    ASSERT_EQ(m_info.Read(SettingsSlot::First, device), SettingsReadResult::Read);
    const QString copy = m_folder.filePath("copy.ini");
    ASSERT_EQ(m_info.Record(SettingsSlot::First).Write(copy), SettingsWriteResult::Written);
    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        file.readAll().contains("vk_wifi_ap_pwd=" + EncodeWifiPassword("5820174639")->toLatin1() +
                                "\r\nvk_wifi_ap_pwd_encript=1\r\n"));
    ASSERT_EQ(m_info.Read(SettingsSlot::Second, copy), SettingsReadResult::Read);
    EXPECT_EQ(m_info.Record(SettingsSlot::Second).vk_wifi_ap_pwd, "5820174639");
}

TEST_F(SettingsReadTest, ResetEmptiesBothSlots) {
    m_info.Record(SettingsSlot::First) = DefaultSettings();
    m_info.Record(SettingsSlot::Second) = DefaultSettings();
    m_info.Reset();
    EXPECT_TRUE(m_info.Record(SettingsSlot::First) == SettingsRecord());
    EXPECT_TRUE(m_info.Record(SettingsSlot::Second) == SettingsRecord());
}

} // namespace
