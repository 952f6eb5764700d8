#include "tests/settings/DefaultSettings.h"
#include "tests/support/RunCli.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString CardConfig(const QString& name) {
    return qEnvironmentVariable("KARVENNA_TEST_CARD") + "/Config/" + name;
}

QJsonObject Show(const QString& path) {
    const CliResult result = RunCli({"settings", "show", path});
    EXPECT_EQ(result.exitCode, 0);
    return QJsonDocument::fromJson(result.out).object();
}

TEST(SettingsCli, ShowsEveryKeyWithItsValue) {
    const QJsonObject device = Show(CardConfig("setting.ini"));
    EXPECT_EQ(device.size(), 44);
    EXPECT_EQ(device["read"], 1);
    EXPECT_EQ(device["vk_wifi_ap_pwd"], "5820174639");
    EXPECT_EQ(device["vk_wifi_ap_pwd_encript"], 0);
    EXPECT_EQ(device["vk_wifi_ap_ssid"], "VESKA-QX5-Demo");
    EXPECT_EQ(device["vk_park_voltage"], 12.5);
    EXPECT_EQ(device["vk_gps_timezone"], 900);
    EXPECT_EQ(device["vk_date"], "");

    const QJsonObject missing = Show(CardConfig("missing.ini"));
    EXPECT_EQ(missing.size(), 44);
    EXPECT_EQ(missing["read"], -1);
    EXPECT_EQ(missing["vk_wifi_channel"], 0);
    EXPECT_EQ(missing["pcm_version"], "");
}

// The file Save writes after "Initialize all settings.", line by line the defaults column.
TEST(SettingsCli, InitWritesTheDefaultsOnTheCard) {
    const QTemporaryDir card;
    const CliResult result = RunCli({"settings", "init", card.path()});
    ASSERT_EQ(result.exitCode, 0) << result.error.data();
    QFile file(card.filePath("Config/setting_pcm.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    const QList<QByteArray> expected = DefaultSettingsFileWithAccessPoint().split('\n');
    ASSERT_EQ(lines.size(), expected.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;

    // A card that cannot take the file: a file where the Config folder goes.
    const QTemporaryDir blocked;
    QFile(blocked.filePath("Config")).open(QIODevice::WriteOnly);
    const CliResult refused = RunCli({"settings", "init", blocked.path()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.error.contains("cannot write")) << refused.error.data();
}

TEST(SettingsCli, CardInfoGivesThePagesTexts) {
    const QTemporaryDir card;
    QDir(card.path()).mkpath("Recordings/EVT");
    QFile video(card.filePath("Recordings/EVT/20240101_120000_EVT.AVI"));
    ASSERT_TRUE(video.open(QIODevice::WriteOnly));
    ASSERT_TRUE(video.resize(1'610'612'736)); // 1.5 GB
    video.close();
    QDir(card.path()).mkpath("Config");
    QFile pcm(card.filePath("Config/setting_pcm.ini"));
    ASSERT_TRUE(pcm.open(QIODevice::WriteOnly));
    pcm.write("vk_fw_version=1.02.07\r\nvk_build_number=B42\r\n");
    pcm.close();

    const CliResult result = RunCli({"card-info", card.path()});
    ASSERT_EQ(result.exitCode, 0) << result.error.data();
    const QJsonObject info = QJsonDocument::fromJson(result.out).object();
    EXPECT_EQ(info["event_gb"], "1.5 GB");
    EXPECT_EQ(info["event_kb"], 1'572'864);
    EXPECT_EQ(info["normal_gb"], "0.0 GB");
    EXPECT_EQ(info["normal_kb"], 0);
    EXPECT_EQ(info["motion_kb"], 0);
    EXPECT_EQ(info["fw_version"], "1.02.07");
    EXPECT_EQ(info["build_number"], "B42");
    EXPECT_EQ(info["version"], "1.1.5");
    EXPECT_TRUE(info["total_gb"].toString().endsWith(" GB"));
    EXPECT_TRUE(info["free_gb"].toString().endsWith(" GB"));
    EXPECT_EQ(info.size(), 11);
}

TEST(SettingsCli, WritesACopyWithTheEncodedPasswordThatReadsTheSame) {
    const QTemporaryDir folder;
    const QString copy = folder.filePath("Config/setting.ini");
    const CliResult written = RunCli({"settings", "write", CardConfig("setting.ini"), copy});
    ASSERT_EQ(written.exitCode, 0) << written.error.data();
    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    const QByteArray encoded = RunCli({"password", "encode", "5820174639"}).out.trimmed();
    EXPECT_TRUE(text.contains("vk_wifi_ap_pwd=" + encoded + "\r\nvk_wifi_ap_pwd_encript=1\r\n"));
    QJsonObject shown = Show(copy);
    EXPECT_EQ(shown["vk_wifi_ap_pwd"], "5820174639");
    EXPECT_EQ(shown["pcm_update_flag"], 1);

    EXPECT_EQ(RunCli({"settings", "diff", CardConfig("setting.ini"), copy}).out, "0\n");
    EXPECT_EQ(
        RunCli({"settings", "diff", CardConfig("setting.ini"), CardConfig("setting_pcm.ini")}).out,
        "1\n");
}

TEST(SettingsCli, FailuresExitWithOneAndSaySo) {
    const QTemporaryDir folder;
    QFile plain(folder.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    QFile undecodable(folder.filePath("undecodable.ini"));
    ASSERT_TRUE(undecodable.open(QIODevice::WriteOnly));
    undecodable.write("vk_wifi_ap_pwd=1234\r\nvk_wifi_ap_pwd_encript=1\r\n");
    undecodable.close();
    const QStringList failing[] = {
        {"settings", "write", folder.filePath("missing.ini"), folder.filePath("out.ini")},
        {"settings", "write", folder.filePath("undecodable.ini"), folder.filePath("out.ini")},
        {"settings", "write", CardConfig("setting.ini"), folder.filePath("plain/setting.ini")},
        {"settings", "diff", CardConfig("setting.ini"), folder.filePath("missing.ini")},
        {"password", "encode", "0123456789abcdefghij"},
        {"password", "decode", "12345"},
        // A folder on a fixed disk is never formatted.
        {"format", folder.path(), "--yes"},
    };
    for (const QStringList& args : failing) {
        const CliResult result = RunCli(args);
        EXPECT_EQ(result.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_FALSE(result.error.isEmpty()) << args.join(' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty()) << args.join(' ').toStdString();
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
              (QStringList{"plain", "undecodable.ini"}));
    EXPECT_EQ(Show(folder.filePath("undecodable.ini"))["read"], -2);

    // Without --yes nothing is even looked at: a script must say that it means it.
    const CliResult unconfirmed = RunCli({"format", folder.path()});
    EXPECT_EQ(unconfirmed.exitCode, 2);
    EXPECT_TRUE(unconfirmed.error.contains("--yes"));
}

// A card that fails at the end of a write: the command fails, says why, and the file that was
// there stays as it was, with nothing beside it.
TEST(SettingsCli, AWriteWhoseSyncOrCloseFailsKeepsTheOldFile) {
    const struct {
        const char* fault;
        const char* message;
    } cases[] = {
        {"fsync:5", "cannot sync %1 to the disk: Input/output error"},
        {"close:28", "cannot close %1: No space left on device"},
    };
    for (const auto& test : cases) {
        const QTemporaryDir folder;
        const QString out = folder.filePath("setting_pcm.ini");
        QFile old(out);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        const CliResult result =
            RunCli({"settings", "write", CardConfig("setting.ini"), out},
                   InjectedFaultEnvironment(test.fault + QStringLiteral(":") + folder.path()));
        EXPECT_EQ(result.exitCode, 1) << test.fault;
        EXPECT_EQ(result.error, QString(test.message).arg(out).toUtf8() + '\n') << test.fault;
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "old") << test.fault;
        old.close();
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{"setting_pcm.ini"})
            << test.fault;
    }
}

TEST(SettingsCli, PasswordsRoundTrip) {
    const QByteArray digits = RunCli({"password", "encode", "abc 123"}).out.trimmed();
    EXPECT_EQ(digits.size(), 40);
    EXPECT_EQ(RunCli({"password", "decode", digits}).out, "abc 123\n");
}

TEST(SettingsCli, WrongUseExitsWithUsage) {
    const QStringList wrong[] = {{"settings"},
                                 {"settings", "show"},
                                 {"settings", "show", "a", "b"},
                                 {"settings", "write", "a"},
                                 {"settings", "merge", "a", "b"},
                                 {"password", "encode"},
                                 {"password", "rot13", "x"}};
    for (const QStringList& args : wrong)
        EXPECT_EQ(RunCli(args).exitCode, 2) << args.join(' ').toStdString();
}

} // namespace
