#include "library/ui/DriveDialog.h"
#include "settings/ui/SettingsDialog.h"
#include "tests/app/CardWindowFixture.h"
#include "tests/settings/ui/SettingsUiTestSupport.h"
#include "tests/support/ModalAnswer.h"

#include <QPushButton>

namespace {

// The main window on a card given as the command line gives it, or on none: each test opens it.
class SettingsButton : public CardWindowFixture {
protected:
    SettingsButton() : CardWindowFixture({.card = CardWindowSetup::NoCard}) {}

    void PressSettings() const { Click(ControlId::Settings); }

    QList<SettingsDialog*> SettingsWindows() const {
        return window->findChildren<SettingsDialog*>();
    }

    TestCard card;
};

TEST_F(SettingsButton, WithoutARemovableDriveSaysSoAndOpensNothing) {
    OpenWindow(card.Root());
    MessageBoxes messages;
    PressSettings();
    EXPECT_EQ(messages.texts, QStringList{"Detected no drive with a memory card."});
    EXPECT_TRUE(SettingsWindows().isEmpty());
}

TEST_F(SettingsButton, OpensOneWindowOnTheCardAndReplacesItAtEveryPress) {
    card.Write("setting.ini", "vk_display_brightness=3\r\n");
    drives.SetRemovableDrives({{card.Root(), "QX5"}});
    OpenWindow(card.Root());
    PressSettings();
    ASSERT_EQ(SettingsWindows().size(), 1);
    SettingsDialog* first = SettingsWindows().constFirst();
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->LoadedFiles(), 1);
    EXPECT_EQ(window->Settings().Record(SettingsSlot::First).vk_display_brightness, 3);

    PressSettings();
    ASSERT_EQ(SettingsWindows().size(), 1);
    EXPECT_TRUE(SettingsWindows().constFirst()->isVisible());
}

TEST_F(SettingsButton, AsksForTheCardFirstAndOpensNothingWhenCancelled) {
    drives.SetRemovableDrives({{card.Root(), "QX5"}});
    // The start-up scan asks for the card: the user closes the question.
    AnswerModal<DriveDialog>([](DriveDialog* dialog) { dialog->reject(); });
    OpenWindow({});
    QTest::qWait(50);
    ASSERT_TRUE(window->LibraryRoot().isEmpty());

    AnswerModal<DriveDialog>([](DriveDialog* dialog) { dialog->reject(); });
    PressSettings();
    EXPECT_TRUE(SettingsWindows().isEmpty());

    AnswerModal<DriveDialog>(
        [](DriveDialog* dialog) { FindControl<QPushButton>(dialog, DriveDialog::OkId)->click(); });
    MessageBoxes messages; // the card has no settings yet
    PressSettings();
    EXPECT_EQ(window->LibraryRoot(), card.Root());
    EXPECT_EQ(SettingsWindows().size(), 1);
    EXPECT_EQ(messages.texts, QStringList{"Initialize all settings."});
}

} // namespace
