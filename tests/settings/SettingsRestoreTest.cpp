#include "settings/SettingsBackups.h"
#include "tests/support/RunCli.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray KeptSetting = "vk_audio_volume=3\r\nvk_wifi_ap_pwd=5820174639\r\n";
const QByteArray KeptPcm = "vk_audio_volume=1\r\n";
const QByteArray OnCard = "vk_audio_volume=2\r\n";

void Put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

class SettingsRestoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        Put(Backup() + "/" + SettingIniName, KeptSetting);
        Put(Backup() + "/" + SettingPcmIniName, KeptPcm);
    }
    QString Backup() const {
        return m_data.path() + "/karvenna/settings-backup/20261211-010203-004";
    }
    QString Card() const { return m_card.path() + '/'; }

    QTemporaryDir m_data;
    QTemporaryDir m_card;
};

TEST_F(SettingsRestoreTest, WritesTheCopiesTheCardLacksAndReplacesOnlyWhenAsked) {
    const struct {
        const char* name;
        QStringList onCard; // files the card has, holding OnCard
        bool replace;
        RestoreReport::Outcome outcome;
        QStringList written;
    } cases[] = {
        {"both missing", {}, false, RestoreReport::Restored, {SettingIniName, SettingPcmIniName}},
        {"one missing", {SettingIniName}, false, RestoreReport::Restored, {SettingPcmIniName}},
        {"both there",
         {SettingIniName, SettingPcmIniName},
         false,
         RestoreReport::AlreadyOnCard,
         {}},
        {"both replaced",
         {SettingIniName, SettingPcmIniName},
         true,
         RestoreReport::Restored,
         {SettingIniName, SettingPcmIniName}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(Card() + "Config").removeRecursively();
        for (const QString& name : c.onCard)
            Put(Card() + name, OnCard);
        const RestoreReport report = RestoreSettings(Backup(), Card(), c.replace);
        EXPECT_EQ(report.outcome, c.outcome);
        EXPECT_EQ(report.files, c.written);
        for (const QString& name : {SettingIniName, SettingPcmIniName}) {
            const QByteArray kept = name == SettingIniName ? KeptSetting : KeptPcm;
            EXPECT_EQ(Read(Card() + name), c.written.contains(name) ? kept : OnCard)
                << name.toStdString();
        }
    }
}

TEST_F(SettingsRestoreTest, FailsSayingWhyAndWritesNothingItShouldNot) {
    // Nothing kept in the folder given.
    EXPECT_EQ(RestoreSettings(m_data.path(), Card(), false).outcome, RestoreReport::NoCopies);

    // No card where the copies should go: no folder is made there.
    const QString gone = Card() + "gone/";
    const RestoreReport noCard = RestoreSettings(Backup(), gone, false);
    EXPECT_EQ(noCard.outcome, RestoreReport::Failed);
    EXPECT_EQ(noCard.error, gone + " is not a folder");
    EXPECT_FALSE(QFileInfo::exists(gone));

    // A file where the card's Config folder goes.
    Put(Card() + "Config", "not a folder");
    const RestoreReport blocked = RestoreSettings(Backup(), Card(), false);
    EXPECT_EQ(blocked.outcome, RestoreReport::Failed);
    EXPECT_TRUE(blocked.error.contains(Card() + "Config")) << blocked.error.toStdString();
    EXPECT_EQ(Read(Card() + "Config"), "not a folder");
}

TEST_F(SettingsRestoreTest, TheCommandTakesTheNewestCopiesUnlessToldWhich) {
    const QString older = m_data.path() + "/karvenna/settings-backup/20261210-235959-999";
    Put(older + "/" + SettingIniName, "older");
    const QStringList environment{"XDG_DATA_HOME=" + m_data.path()};

    const CliResult newest = RunCli({"settings", "restore", m_card.path()}, environment);
    EXPECT_EQ(newest.exitCode, 0) << newest.error.toStdString();
    EXPECT_EQ(newest.Text().trimmed(), "wrote " + SettingIniName + ", " + SettingPcmIniName +
                                           " to " + Card() + " from " + Backup());
    EXPECT_EQ(Read(Card() + SettingIniName), KeptSetting);
    EXPECT_EQ(Read(Card() + SettingPcmIniName), KeptPcm);

    const CliResult refused = RunCli({"settings", "restore", Card(), "--from", older}, environment);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.error.contains("add --replace")) << refused.error.toStdString();
    EXPECT_EQ(Read(Card() + SettingIniName), KeptSetting);

    const CliResult replaced =
        RunCli({"settings", "restore", Card(), "--from", older, "--replace"}, environment);
    EXPECT_EQ(replaced.exitCode, 0) << replaced.error.toStdString();
    EXPECT_EQ(Read(Card() + SettingIniName), "older");
    EXPECT_EQ(Read(Card() + SettingPcmIniName), KeptPcm);

    const CliResult none =
        RunCli({"settings", "restore", Card()}, {"XDG_DATA_HOME=" + m_card.path() + "/no-data"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.error.contains("no settings files were kept")) << none.error.toStdString();
}

} // namespace
