#include "settings/FakeCardFormatter.h"
#include "settings/ui/FormatDialog.h"
#include "settings/ui/InformationPage.h"
#include "settings/ui/SettingsControlIds.h"
#include "settings/ui/SettingsDialog.h"
#include "skin/SkinSlider.h"
#include "tests/settings/DefaultSettings.h"
#include "tests/settings/ui/SettingsUiTestSupport.h"
#include "tests/support/ModalAnswer.h"

#include <QLabel>
#include <QTest>

namespace {

using namespace InfoPageId;

const QByteArray CameraFile = "vk_audio_volume=3\r\nvk_fw_version=0.9\r\n";
const QByteArray ProgramFile = QByteArray(DefaultSettingsFile)
                                   .replace("vk_fw_version=", "vk_fw_version=1.02.07")
                                   .replace("vk_build_number=", "vk_build_number=B20240101");

QByteArray WithBrightnessThree() {
    return QByteArray(DefaultSettingsFile)
        .replace("vk_display_brightness=5", "vk_display_brightness=3");
}

class InfoPage : public ::testing::Test {
protected:
    void SetUp() override {
        // Copies of the settings go to the program's data folder, here a folder of the test's.
        qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
        card.Write("setting.ini", CameraFile);
        card.Write("setting_pcm.ini", ProgramFile);
        QDir(card.Root()).mkpath("Recordings/NOR");
        QFile video(card.Root() + "Recordings/NOR/20240101_120000_NOR.AVI");
        ASSERT_TRUE(video.open(QIODevice::WriteOnly));
        ASSERT_TRUE(video.resize(2'097'152'000));
    }

    void Open() {
        dialog = std::make_unique<SettingsDialog>(
            info, card.Root(), nullptr, &formatter,
            FormatSteps{[this] { steps.append("release"); }, [this] { steps.append("lists"); }});
        dialog->show();
    }

    template <typename T = QWidget> T* Find(int id) const {
        return FindControl<T>(dialog.get(), id);
    }
    QString Text(int id) const { return Find<SkinLabel>(id)->text(); }
    void Click(int id) const { QTest::mouseClick(Find(id), Qt::LeftButton); }

    // Presses Formatting and answers the confirmation; its message is kept.
    void Format(bool confirm) {
        AnswerModal<FormatDialog>([this, confirm](FormatDialog* alert) {
            confirmation =
                alert->findChild<QLabel*>(QString::number(FormatDialogId::Message))->text();
            title = alert->windowTitle();
            confirm ? alert->accept() : alert->reject();
        });
        Click(TabInformation());
        Click(FormatButton);
    }
    static int TabInformation() { return SettingsDialogId::TabInformation; }

    QTemporaryDir dataHome;
    TestCard card;
    CardSettings info;
    FakeCardFormatter formatter{card.Root()};
    QStringList steps;
    std::unique_ptr<MessageBoxes> messages = std::make_unique<MessageBoxes>();
    std::unique_ptr<SettingsDialog> dialog;
    QString confirmation, title;
};

TEST_F(InfoPage, ShowsTheCardTheRecordingsAndTheVersions) {
    Open();
    EXPECT_EQ(Text(NormalReadout), "2.0 GB");
    EXPECT_EQ(Text(EventReadout), "0.0 GB");
    EXPECT_EQ(Text(MotionReadout), "0.0 GB");
    EXPECT_TRUE(Text(TotalReadout).endsWith(" GB"));
    EXPECT_TRUE(Text(FreeReadout).endsWith(" GB"));
    // The firmware is the program's file's, not the camera's.
    EXPECT_EQ(Text(FirmwareReadout), "1.02.07");
    EXPECT_EQ(Text(BuildReadout), "B20240101");
    EXPECT_EQ(Text(ProgramVersionReadout), "1.1.5");
    EXPECT_EQ(Find<SkinButton>(FormatButton)->text(), "Formatting");
    EXPECT_EQ(Find<SkinButton>(InitializeButton)->text(), "Initialization");
}

// udisks2 mounts a formatted card under its new label: Save writes there, not to the old place.
TEST_F(InfoPage, SaveAfterAFormatWritesWhereTheCardIsNow) {
    QTemporaryDir mountedAgain;
    formatter.mountedAgainAt = mountedAgain.path() + '/';
    Open();
    Format(true);
    ASSERT_TRUE(QFile::exists(formatter.mountedAgainAt + "Config/setting.ini"));
    QDir(card.Root()).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(card.Root())) << "an empty mount point is left behind";
    Find<SkinSlider>(VideoPageId::Brightness)->setValue(2);
    EXPECT_EQ(dialog->SaveSettings(), SaveSettingsResult::Saved);
    EXPECT_TRUE(QFile::exists(formatter.mountedAgainAt + "Config/setting_pcm.ini"));
    EXPECT_FALSE(QFile::exists(card.Root() + "Config/setting_pcm.ini"));
}

TEST_F(InfoPage, ConfirmationNamesTheCardAndItsLabel) {
    for (const char* label : {"", "QX5 CARD"}) {
        formatter.label = label;
        Open();
        Format(false);
        const QString shown = *label ? label : "Portable Disk";
        EXPECT_EQ(confirmation, "Warning: Formatting will erase all data on the disk.(" +
                                    card.Root() + ", " + shown +
                                    ")\nSelect [OK] to format the disk and [No] to cancel.\n\n- "
                                    "Caution -\nFormatting will erase all data saved in Karvenna.");
        EXPECT_EQ(title, "Confirm Memory Format");
        // Declined: nothing happened to the card.
        EXPECT_TRUE(formatter.calls.isEmpty());
        EXPECT_TRUE(steps.isEmpty());
    }
}

TEST_F(InfoPage, FormattingKeepsBothFilesAndEmptiesTheLists) {
    Open();
    Format(true);
    EXPECT_EQ(formatter.calls, (QStringList{"label KARVENNADVR", "format KARVENNADVR"}));
    EXPECT_EQ(steps, (QStringList{"release", "lists"}));
    EXPECT_TRUE(messages->texts.isEmpty());
    EXPECT_FALSE(QFile::exists(card.Root() + "Recordings"));
    EXPECT_EQ(card.Read("setting_pcm.ini"), ProgramFile);
    EXPECT_EQ(card.Read("setting.ini"), CameraFile);
    // The window now compares against the program's file.
    EXPECT_EQ(info.Record(SettingsSlot::First).vk_fw_version, "1.02.07");
    EXPECT_EQ(info.Record(SettingsSlot::Second).vk_audio_volume, 3);
}

TEST_F(InfoPage, CancellingTheFormatKeepsLabelAndFiles) {
    formatter.label = "QX5 CARD";
    formatter.answer = FormatResult::Cancelled;
    Open();
    Format(true);
    EXPECT_EQ(formatter.label, "QX5 CARD");
    EXPECT_TRUE(messages->texts.isEmpty());
    EXPECT_EQ(card.Read("setting.ini"), CameraFile);
    EXPECT_EQ(card.Read("setting_pcm.ini"), ProgramFile);
    EXPECT_EQ(steps, QStringList{"release"});
}

TEST_F(InfoPage, TellsWhatWasNotKeptOrNotFormatted) {
    const struct {
        const char* name;
        std::function<void()> arrange;
        const char* message;
    } cases[] = {
        {"a file that cannot be read",
         [this] {
             QFile::remove(card.Root() + "Config/setting.ini");
             QDir().mkpath(card.Root() + "Config/setting.ini");
         },
         "The card was not formatted: the settings the camera keeps on it cannot be kept "
         "(Config/setting.ini)."},
        {"a write-back that fails",
         [this] {
             formatter.afterFormat = [this] { QDir().mkpath(card.Root() + "Config/setting.ini"); };
         },
         "The card was formatted, but these settings files could not be written back to it: "
         "Config/setting.ini"},
        {"a format the system refuses", [this] { formatter.answer = FormatResult::Failed; },
         "The card could not be formatted: not formatted"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(card.Root() + "Config").removeRecursively();
        card.Write("setting.ini", CameraFile);
        card.Write("setting_pcm.ini", ProgramFile);
        c.arrange();
        Open();
        messages->texts.clear();
        Format(true);
        ASSERT_EQ(messages->texts.size(), 1);
        const QStringList lines = messages->texts[0].split(u'\n');
        EXPECT_EQ(lines[0], c.message);
        // Where the settings that did not reach the card again are kept.
        if (lines.size() > 1) {
            EXPECT_TRUE(lines[1].startsWith("Copies of them are kept in " + dataHome.path()))
                << lines[1].toStdString();
            EXPECT_TRUE(lines[1].contains("karvenna-cli settings restore "))
                << lines[1].toStdString();
        }
        EXPECT_EQ(lines.size(), QString(c.message).contains("written back") ? 2 : 1);
        formatter.afterFormat = nullptr;
        formatter.answer = FormatResult::Formatted;
    }
}

TEST_F(InfoPage, InitializationPutsThePagesToTheirDefaultsOnOk) {
    card.Write("setting.ini", WithBrightnessThree());
    messages.reset();
    for (const auto answer : {QMessageBox::Cancel, QMessageBox::Ok}) {
        MessageBoxes answers(answer);
        Open();
        Click(TabInformation());
        Click(InitializeButton);
        EXPECT_EQ(answers.texts, QStringList{"Initialize settings?"});
        const int brightness = Find<SkinSlider>(VideoPageId::Brightness)->value();
        EXPECT_EQ(brightness, answer == QMessageBox::Ok ? 5 : 3);
        // Nothing reaches the card until Save; closing asks when the defaults differ.
        EXPECT_EQ(card.Read("setting.ini"), WithBrightnessThree());
        answers.texts.clear();
        Click(SettingsDialogId::Close);
        EXPECT_EQ(answers.texts.size(), answer == QMessageBox::Ok ? 1 : 0);
    }
}

} // namespace
