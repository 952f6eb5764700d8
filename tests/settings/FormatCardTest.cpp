#include "settings/FormatCard.h"

#include "settings/FakeCardFormatter.h"
#include "tests/settings/DefaultSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray CameraFile = "vk_audio_volume=3\r\nvk_fw_version=1.02.07\r\n"
                              "vk_wifi_ap_pwd=0123456789abcdefghi\r\nvk_wifi_ap_pwd_encript=0\r\n";

class FormatCardTest : public ::testing::Test {
protected:
    void SetUp() override {
        formatter.label = "QX5 CARD";
        Put("Config/setting.ini", CameraFile);
        Put("Config/setting_pcm.ini", DefaultSettingsFile);
        Put("Recordings/20240101_120000_NOR.AVI", "video");
    }

    QString Root() const { return m_dir.path() + '/'; }

    void Put(const QString& relativePath, const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(Root() + relativePath).path());
        QFile file(Root() + relativePath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray ReadFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    QByteArray Read(const QString& relativePath) const { return ReadFile(Root() + relativePath); }

    FormatReport Format() {
        return FormatCard(Root(), formatter, settings,
                          {[this] { steps.append("release"); }, [this] { steps.append("lists"); },
                           [this](const QString& root) { steps.append("moved to " + root); }},
                          Backup());
    }

    QString Backup() const { return m_backups.path() + "/kept"; }

    QTemporaryDir m_dir;
    QTemporaryDir m_backups;
    FakeCardFormatter formatter{m_dir.path() + '/'};
    CardSettings settings;
    QStringList steps;
};

TEST_F(FormatCardTest, KeepsBothSettingsFilesAcrossTheFormat) {
    const FormatReport report = Format();
    EXPECT_EQ(report.outcome, FormatReport::Formatted);
    EXPECT_EQ(formatter.calls, (QStringList{"label KARVENNADVR", "format KARVENNADVR"}));
    EXPECT_EQ(formatter.label, "KARVENNADVR");
    EXPECT_EQ(steps, (QStringList{"release", "lists"}));
    EXPECT_FALSE(QFile::exists(Root() + "Recordings"));
    // Back as the camera wrote them, byte for byte: the plain password stays plain.
    EXPECT_EQ(Read("Config/setting_pcm.ini"), QByteArray(DefaultSettingsFile));
    EXPECT_EQ(Read("Config/setting.ini"), CameraFile);
    EXPECT_EQ(settings.Record(SettingsSlot::Second).vk_wifi_ap_pwd, "0123456789abcdefghi");
    EXPECT_EQ(settings.Record(SettingsSlot::Second).vk_audio_volume, 3);
    EXPECT_EQ(settings.Record(SettingsSlot::First), DefaultSettings());
    // Copies of what the card held, kept before anything changed on it.
    EXPECT_EQ(report.backupFolder, Backup());
    EXPECT_EQ(ReadFile(Backup() + "/Config/setting.ini"), CameraFile);
    EXPECT_EQ(ReadFile(Backup() + "/Config/setting_pcm.ini"), QByteArray(DefaultSettingsFile));
}

// udisks2 mounts the new file system under its new label: the files go there, and the owner
// learns where the card is now.
TEST_F(FormatCardTest, WritesBackWhereTheFormattedCardIsMountedAndSaysWhere) {
    QTemporaryDir mountedAgain;
    struct Moved : FakeCardFormatter {
        using FakeCardFormatter::FakeCardFormatter;
        FormatResult Format(const QString& root, const QString& label) override {
            return {FakeCardFormatter::Format(root, label).status, newRoot, {}};
        }
        QString newRoot;
    } moved{Root()};
    moved.newRoot = mountedAgain.path() + '/';
    const FormatReport report = FormatCard(
        Root(), moved, settings,
        {{}, {}, [this](const QString& root) { steps.append("moved to " + root); }}, Backup());
    EXPECT_EQ(report.outcome, FormatReport::Formatted);
    EXPECT_EQ(report.root, moved.newRoot);
    EXPECT_EQ(steps, QStringList{"moved to " + moved.newRoot});
    EXPECT_EQ(ReadFile(moved.newRoot + "Config/setting.ini"), CameraFile);
    EXPECT_EQ(ReadFile(moved.newRoot + "Config/setting_pcm.ini"), QByteArray(DefaultSettingsFile));
}

TEST_F(FormatCardTest, ACancelOrAFailurePutsTheLabelBackAndTouchesNothing) {
    for (const auto answer : {FormatResult::Cancelled, FormatResult::Failed}) {
        formatter.answer = answer;
        formatter.calls.clear();
        steps.clear();
        const FormatReport report = Format();
        EXPECT_EQ(report.outcome, answer == FormatResult::Cancelled ? FormatReport::Cancelled
                                                                    : FormatReport::Failed);
        EXPECT_EQ(formatter.calls,
                  (QStringList{"label KARVENNADVR", "format KARVENNADVR", "label QX5 CARD"}));
        EXPECT_EQ(formatter.label, "QX5 CARD");
        EXPECT_EQ(steps, QStringList{"release"});
        EXPECT_EQ(Read("Config/setting.ini"), CameraFile);
        EXPECT_EQ(Read("Config/setting_pcm.ini"), QByteArray(DefaultSettingsFile));
        EXPECT_EQ(Read("Recordings/20240101_120000_NOR.AVI"), "video");
    }
}

TEST_F(FormatCardTest, AFileMissingBeforeIsWrittenFromAnEmptyRecord) {
    QFile::remove(Root() + "Config/setting_pcm.ini");
    EXPECT_EQ(Format().outcome, FormatReport::Formatted);
    SettingsRecord empty;
    ASSERT_EQ(empty.Write(m_dir.path() + "/empty.ini"), SettingsWriteResult::Written);
    EXPECT_EQ(Read("Config/setting_pcm.ini"), Read("empty.ini"));
    EXPECT_TRUE(Read("empty.ini").startsWith("vk_gps_sync_time=0\r\n"));
}

// Settings that could not be put back are never formatted away; a file the program could not
// have written itself (a password too long, one that cannot be decoded) goes back as it was.
TEST_F(FormatCardTest, KeepsWhatTheProgramCannotWriteAndRefusesWhatItCannotRead) {
    const struct {
        const char* name;
        QByteArray contents; // empty: a folder in its place, which cannot be read
        const char* file;
        FormatReport::Outcome outcome;
    } cases[] = {
        {"password too long", "vk_wifi_ap_pwd=0123456789abcdefghij\r\n", "Config/setting.ini",
         FormatReport::Formatted},
        {"undecodable password", "vk_wifi_ap_pwd=12\r\nvk_wifi_ap_pwd_encript=1\r\n",
         "Config/setting_pcm.ini", FormatReport::Formatted},
        {"unreadable", {}, "Config/setting.ini", FormatReport::SettingsNotKeepable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(Root()).removeRecursively();
        Put("Recordings/20240101_120000_NOR.AVI", "video");
        Put("Config/other", "");
        if (c.contents.isEmpty())
            QDir().mkpath(Root() + c.file);
        else
            Put(c.file, c.contents);
        formatter.calls.clear();
        formatter.label = "QX5 CARD";
        const FormatReport report = Format();
        EXPECT_EQ(report.outcome, c.outcome);
        if (c.outcome == FormatReport::Formatted) {
            EXPECT_EQ(Read(c.file), c.contents);
            EXPECT_FALSE(QFile::exists(Root() + "Recordings"));
            continue;
        }
        EXPECT_EQ(report.files, QStringList{c.file});
        EXPECT_TRUE(formatter.calls.isEmpty());
        EXPECT_EQ(formatter.label, "QX5 CARD");
        EXPECT_EQ(Read("Recordings/20240101_120000_NOR.AVI"), "video");
    }
}

TEST_F(FormatCardTest, ReportsAFileThatCouldNotBeWrittenBack) {
    // A formatted card whose new file system holds a folder where setting_pcm.ini goes.
    struct Obstructed : FakeCardFormatter {
        using FakeCardFormatter::FakeCardFormatter;
        FormatResult Format(const QString& root, const QString& label) override {
            FormatResult result = FakeCardFormatter::Format(root, label);
            QDir().mkpath(root + "Config/setting_pcm.ini");
            return result;
        }
    } obstructed{Root()};
    const FormatReport report = FormatCard(Root(), obstructed, settings, {}, Backup());
    EXPECT_EQ(report.outcome, FormatReport::WriteBackFailed);
    EXPECT_EQ(report.files, QStringList{"Config/setting_pcm.ini"});
    EXPECT_EQ(Read("Config/setting.ini"), CameraFile);

    // Formatted but not mounted again: nothing could be written, and both are named.
    QDir(Root() + "Config").removeRecursively();
    struct Unmounted : FakeCardFormatter {
        using FakeCardFormatter::FakeCardFormatter;
        FormatResult Format(const QString& root, const QString& label) override {
            FormatResult result = FakeCardFormatter::Format(root, label);
            return {result.status, {}, "not mounted"};
        }
    } unmounted{Root()};
    const FormatReport lost = FormatCard(Root(), unmounted, settings, {}, Backup() + "2");
    EXPECT_EQ(lost.outcome, FormatReport::WriteBackFailed);
    EXPECT_EQ(lost.files, (QStringList{"Config/setting.ini", "Config/setting_pcm.ini"}));
    EXPECT_EQ(lost.error, "not mounted");
    // The window names this folder for the files it could not put back.
    EXPECT_EQ(lost.backupFolder, Backup() + "2");
}

TEST_F(FormatCardTest, RefusesWhenTheSettingsCannotBeCopiedAside) {
    Put("blocked", "a file where the copies' folder would go");
    const FormatReport report =
        FormatCard(Root(), formatter, settings, {}, Root() + "blocked/kept");
    EXPECT_EQ(report.outcome, FormatReport::SettingsNotKeepable);
    EXPECT_TRUE(formatter.calls.isEmpty());
    EXPECT_EQ(Read("Recordings/20240101_120000_NOR.AVI"), "video");
}

TEST_F(FormatCardTest, LeavesAFixedDiskAlone) {
    for (const QString& root : {QString(), QDir::tempPath() + '/'}) {
        const FormatReport report =
            FormatCard(root, formatter, settings, {[this] { steps.append("release"); }, {}});
        EXPECT_EQ(report.outcome, FormatReport::NotRemovable);
    }
    EXPECT_TRUE(steps.isEmpty());
    EXPECT_TRUE(formatter.calls.isEmpty());
}

} // namespace
