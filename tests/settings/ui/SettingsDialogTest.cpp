#include "settings/ui/SettingsDialog.h"

#include "resources/LocalizedStrings.h"
#include "resources/StringTable.h"
#include "settings/ui/SettingsControlIds.h"
#include "settings/ui/SettingsPage.h"
#include "skin/SkinButton.h"
#include "skin/SkinLabel.h"
#include "skin/SkinSlider.h"
#include "tests/settings/DefaultSettings.h"
#include "tests/settings/ui/SettingsUiTestSupport.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

QByteArray WithBrightness(int brightness) {
    return QByteArray(DefaultSettingsFile)
        .replace("vk_display_brightness=5",
                 "vk_display_brightness=" + QByteArray::number(brightness));
}

class SettingsDialogTest : public ::testing::Test {
protected:
    // Opens the window on the card, answering its messages with `answer`.
    void Open(QMessageBox::StandardButton answer = QMessageBox::Ok) {
        messages.reset(); // before its successor takes over
        messages = std::make_unique<MessageBoxes>(answer);
        dialog = std::make_unique<SettingsDialog>(info, card->Root(), nullptr);
        dialog->show();
    }

    template <typename T = QWidget> T* Find(int id) const {
        return FindControl<T>(dialog.get(), id);
    }

    void Click(int id) const { QTest::mouseClick(Find(id), Qt::LeftButton); }

    int Brightness() const { return Find<SkinSlider>(VideoPageId::Brightness)->value(); }

    // Moves the brightness one page up, as a user's Page Up does.
    void ChangeBrightness() const {
        auto* slider = Find<SkinSlider>(VideoPageId::Brightness);
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_PageDown);
        QCoreApplication::processEvents();
    }

    std::unique_ptr<TestCard> card = std::make_unique<TestCard>();
    CardSettings info;
    std::unique_ptr<MessageBoxes> messages;
    std::unique_ptr<SettingsDialog> dialog;
};

TEST_F(SettingsDialogTest, OpensOnWhatTheCardHolds) {
    const QByteArray dateAndTime = "vk_date=2012/10/16\r\nvk_time=19:31:01\r\n";
    const struct {
        const char* card;
        QByteArray settingIni, settingPcmIni; // empty: no such file
        int loadedFiles;
        QStringList openingMessages;
        int brightness;
        bool clockSet;
        bool closeAsks;
        bool changesWaiting = false;
        int pcmAge = 60; // seconds; setting.ini is 30 seconds old
    } cases[] = {
        {"both files, setting.ini the newer",
         WithBrightness(3),
         WithBrightness(8),
         3,
         {},
         3,
         false,
         false},
        {"both files, setting_pcm.ini the newer",
         WithBrightness(3),
         WithBrightness(8),
         3,
         {},
         8,
         false,
         false,
         true,
         10},
        {"only setting_pcm.ini", {}, WithBrightness(8), 2, {}, 8, false, true},
        {"neither", {}, {}, 0, {"Initialize all settings."}, 5, false, true},
        {"setting.ini with a date and time",
         dateAndTime + DefaultSettingsFile,
         {},
         1,
         {},
         5,
         true,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.card);
        card = std::make_unique<TestCard>();
        if (!c.settingIni.isEmpty()) {
            card->Write("setting.ini", c.settingIni);
            card->Age("setting.ini", 30);
        }
        if (!c.settingPcmIni.isEmpty()) {
            card->Write("setting_pcm.ini", c.settingPcmIni);
            card->Age("setting_pcm.ini", c.pcmAge);
        }
        Open(QMessageBox::Cancel);
        EXPECT_EQ(dialog->LoadedFiles(), c.loadedFiles);
        EXPECT_EQ(dialog->ChangesWaiting(), c.changesWaiting);
        const auto* note =
            dialog->findChild<SkinLabel*>(QString::number(SettingsDialogId::PendingChangesNote));
        EXPECT_EQ(note && note->text() == "Changes waiting for the camera", c.changesWaiting);
        EXPECT_EQ(messages->texts, c.openingMessages);
        EXPECT_EQ(Brightness(), c.brightness);
        EXPECT_EQ(Find<SkinButton>(TimePageId::ChangeInputOn)->isChecked(), c.clockSet);

        messages->texts.clear();
        Click(SettingsDialogId::Close);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(messages->texts, c.closeAsks ? QStringList{"Save settings?"} : QStringList{});
        // The question was answered Cancel: nothing reached the card->
        EXPECT_EQ(card->Read("setting_pcm.ini"), c.settingPcmIni);
    }
}

TEST_F(SettingsDialogTest, SaveWithoutAChangeWritesNothingAndStaysOpen) {
    card->Write("setting.ini", DefaultSettingsFile);
    Open();
    Click(SettingsDialogId::Save);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(messages->texts.isEmpty());
    EXPECT_FALSE(QFile::exists(card->ConfigFile("setting_pcm.ini")));
    EXPECT_EQ(dialog->SaveSettings(), SaveSettingsResult::NothingWritten);

    Click(SettingsDialogId::Close);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(messages->texts.isEmpty());
}

TEST_F(SettingsDialogTest, SaveWritesTheChangeAndTakesItAsTheReference) {
    card->Write("setting.ini", DefaultSettingsFile);
    card->Age("setting.ini", 30);
    Open();
    ChangeBrightness();
    const int saved = Brightness();
    Click(SettingsDialogId::Save);
    EXPECT_EQ(messages->texts, QStringList{"Saved"});
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(card->Read("setting_pcm.ini"), WithBrightness(Brightness()));
    EXPECT_EQ(info.Record(SettingsSlot::First).vk_display_brightness, Brightness());
    EXPECT_EQ(info.Record(SettingsSlot::First).pcm_update_flag, 1);

    // Opened again, the window shows what was saved, which the camera has not taken yet; once
    // the camera has written setting.ini anew, setting.ini again.
    Open();
    EXPECT_EQ(Brightness(), saved);
    EXPECT_TRUE(dialog->ChangesWaiting());
    card->Age("setting_pcm.ini", 60);
    Open();
    EXPECT_EQ(Brightness(), 5);
    EXPECT_FALSE(dialog->ChangesWaiting());
}

TEST_F(SettingsDialogTest, CardWithNeitherFileGetsTheDefaultsWrittenWithItsConfigFolder) {
    Open();
    EXPECT_EQ(messages->texts, QStringList{"Initialize all settings."});
    Click(SettingsDialogId::Save);
    EXPECT_EQ(messages->texts, (QStringList{"Initialize all settings.", "Saved"}));
    EXPECT_EQ(card->Read("setting_pcm.ini"), DefaultSettingsFileWithAccessPoint());
}

TEST_F(SettingsDialogTest, CloseAsksAboutAChangeAndSavesOnlyOnOk) {
    for (const auto answer : {QMessageBox::Cancel, QMessageBox::Ok}) {
        card = std::make_unique<TestCard>();
        card->Write("setting.ini", DefaultSettingsFile);
        Open(answer);
        ChangeBrightness();
        Click(SettingsDialogId::Close);
        EXPECT_EQ(messages->texts, QStringList{"Save settings?"}) << answer;
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_EQ(QFile::exists(card->ConfigFile("setting_pcm.ini")), answer == QMessageBox::Ok);
    }
}

TEST_F(SettingsDialogTest, AFailedWriteLeavesTheWindowOpenWithoutAMessage) {
    card->Write("setting.ini", DefaultSettingsFile);
    // A folder where the file should be: it cannot be replaced.
    QDir().mkpath(card->ConfigFile("setting_pcm.ini"));
    Open();
    ChangeBrightness();
    Click(SettingsDialogId::Save);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(messages->texts.isEmpty());
}

TEST_F(SettingsDialogTest, TabsStandInTheirOrderAndShowTheirPages) {
    card->Write("setting.ini", DefaultSettingsFile);
    Open();
    EXPECT_EQ(dialog->size(), QSize(SettingsDialog::Width, SettingsDialog::Height));
    using namespace SettingsDialogId;
    const struct {
        int tab;
        const char* title;
        int controlOnPage; // 0: the page is still empty
    } tabs[] = {
        {TabDateTime, "Date/Time Settings", TimePageId::DateField},
        {TabVideo, "Video Settings", VideoPageId::Brightness},
        {TabAudio, "Audio Settings", AudioPageId::Volume},
        {TabRecording, "Recording Settings", RecordingPageId::DeletingOrder},
        {TabDevice, "Device Settings", DevicePageId::Channel},
        {TabInformation, "Information", 0},
    };
    EXPECT_EQ(Find<SkinLabel>(PageTitle)->text(), "Date/Time Settings");
    EXPECT_TRUE(Find<SkinButton>(TabDateTime)->isChecked());
    for (int position = 0; position < int(std::size(tabs)); ++position) {
        const auto& tab = tabs[position];
        SCOPED_TRACE(tab.title);
        EXPECT_EQ(Find(tab.tab)->geometry(), QRect(2 + 67 * position, 46, 67, 54));
        Click(tab.tab);
        EXPECT_EQ(Find<SkinLabel>(PageTitle)->text(), tab.title);
        for (const auto& other : tabs) {
            EXPECT_EQ(Find<SkinButton>(other.tab)->isChecked(), other.tab == tab.tab);
            if (other.controlOnPage != 0) {
                EXPECT_EQ(Find(other.controlOnPage)->isVisible(), &other == &tab);
            }
        }
        const QString screenshots = qEnvironmentVariable("KARVENNA_SCREENSHOTS");
        if (!screenshots.isEmpty() && QDir().mkpath(screenshots))
            dialog->grab().save(
                QStringLiteral("%1/settings-%2.png").arg(screenshots).arg(position));
    }
}

// Where a label's text is drawn, in its page's coordinates; taller than the label when cut.
QRect DrawnText(const SkinLabel* label) {
    return QFontMetrics(label->font())
        .boundingRect(label->contentsRect(), int(label->alignment()) | Qt::TextWordWrap,
                      label->text())
        .translated(label->pos());
}

TEST_F(SettingsDialogTest, TextsStandWholeAndClearOfOtherControlsInEveryLanguage) {
    card->Write("setting.ini", DefaultSettingsFile);
    const QString screenshots = qEnvironmentVariable("KARVENNA_SCREENSHOTS");
    for (const quint16 language :
         {StringTable::English, StringTable::Japanese, StringTable::Korean, StringTable::Russian}) {
        SetUILanguage(language);
        Open();
        for (const int tab : {SettingsDialogId::TabDateTime, SettingsDialogId::TabVideo,
                              SettingsDialogId::TabAudio, SettingsDialogId::TabRecording,
                              SettingsDialogId::TabDevice, SettingsDialogId::TabInformation}) {
            Click(tab);
            if (!screenshots.isEmpty() && QDir().mkpath(screenshots))
                dialog->grab().save(QStringLiteral("%1/settings-%2-%3.png")
                                        .arg(screenshots)
                                        .arg(language)
                                        .arg(tab));
        }
        for (const SettingsPage* page : dialog->findChildren<SettingsPage*>()) {
            const QList<QWidget*> controls =
                page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            for (const SkinLabel* label :
                 page->findChildren<SkinLabel*>(Qt::FindDirectChildrenOnly)) {
                if (label->isHidden() || label->text().isEmpty())
                    continue;
                const QRect text = DrawnText(label);
                const std::string name =
                    QStringLiteral("%1 \"%2\"").arg(language).arg(label->text()).toStdString();
                EXPECT_LE(text.height(), label->height()) << name << " is cut";
                for (const QWidget* control : controls) {
                    if (control == label || control->isHidden())
                        continue;
                    const auto* other = qobject_cast<const SkinLabel*>(control);
                    const QRect area = other ? DrawnText(other) : control->geometry();
                    EXPECT_FALSE(text.intersects(area))
                        << name << " runs into " << control->objectName().toStdString() << " at "
                        << QStringLiteral("%1,%2 %3x%4")
                               .arg(area.x())
                               .arg(area.y())
                               .arg(area.width())
                               .arg(area.height())
                               .toStdString();
                }
            }
        }
    }
    SetUILanguage(StringTable::English);
}

TEST_F(SettingsDialogTest, WithoutACardOpensEmptyAndSavesNothing) {
    dialog = std::make_unique<SettingsDialog>(info, QString(), nullptr);
    EXPECT_EQ(dialog->findChild<QWidget*>(QString::number(SettingsDialogId::TabDateTime)), nullptr);
    EXPECT_EQ(dialog->SaveSettings(), SaveSettingsResult::NoCard);
}

} // namespace
