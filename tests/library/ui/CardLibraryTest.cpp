#include "library/ui/CardLibrary.h"

#include "library/FakeDriveProvider.h"
#include "library/ui/CalendarDialog.h"
#include "library/ui/DriveDialog.h"
#include "library/ui/FileListView.h"
#include "skin/SkinColours.h"
#include "skin/SkinLabel.h"
#include "tests/support/FindControl.h"
#include "tests/support/ModalAnswer.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextCharFormat>
#include <gtest/gtest.h>

namespace {

QString TestCard() {
    return qEnvironmentVariable("KARVENNA_TEST_CARD") + '/';
}

class Library : public ::testing::Test {
protected:
    Library() {
        auto makeToggle = [this] {
            auto* button = new QPushButton(&window);
            button->setCheckable(true);
            return button;
        };
        for (auto*& button : buttons.kinds)
            button = makeToggle();
        buttons.calendar = makeToggle();
        buttons.folder = makeToggle();
        buttons.checkAll = makeToggle();
    }

    std::unique_ptr<CardLibrary> Make(const QString& cardRoot = {}) {
        return std::make_unique<CardLibrary>(drives, cardRoot, list, buttons, &window);
    }

    // Clicks a toggle as the user would: it flips, then its handler runs.
    static void Flip(QAbstractButton* button) { button->setChecked(!button->isChecked()); }

    // Answers the next calendar with a day (OK), or cancels it when day is invalid.
    void AnswerCalendar(QDate day) {
        AnswerModal<CalendarDialog>([day](CalendarDialog* dialog) {
            if (!day.isValid())
                return dialog->reject();
            FindControl<QCalendarWidget>(dialog, CalendarDialog::CalendarId)->setSelectedDate(day);
            dialog->accept();
        });
    }

    // What the next calendar showed when it opened; it is then accepted as it opened.
    struct CalendarSeen {
        QList<QDate> marked;
        bool markedInAccent = true;
        QDate opensOn;
    };
    void AcceptCalendarAsOpened(CalendarSeen& seen) {
        AnswerModal<CalendarDialog>([&seen](CalendarDialog* dialog) {
            auto* calendar = FindControl<QCalendarWidget>(dialog, CalendarDialog::CalendarId);
            const QMap<QDate, QTextCharFormat> formats = calendar->dateTextFormat();
            seen.marked = formats.keys();
            for (const QTextCharFormat& format : formats)
                seen.markedInAccent &= format.fontWeight() == QFont::Bold &&
                                       format.foreground().color() == SkinColour::Signal;
            seen.opensOn = calendar->selectedDate();
            dialog->accept();
        });
    }

    const SkinLabel* SelectedDay() const {
        return FindControl<SkinLabel>(&window, CardLibrary::SelectedDayId);
    }

    // Answers the next folder browser with a folder, or cancels it when folder is empty.
    void AnswerFolderBrowser(const QString& folder) {
        AnswerModal<QFileDialog>([folder](QFileDialog* dialog) {
            if (folder.isEmpty())
                return dialog->reject();
            // With nothing typed or selected, the folder shown is the one chosen.
            dialog->setDirectory(folder);
            static_cast<QDialog*>(dialog)->accept();
        });
    }

    QStringList Names() const {
        QStringList names;
        for (int row = 0; row < list.ItemCount(); ++row)
            names << list.ItemText(row, ColumnName);
        return names;
    }

    // Answers the next drive dialog: OK on entry `choice`, or its close box when choice < 0;
    // records what the dialog offered.
    void AnswerDriveDialog(int choice) {
        AnswerModal<DriveDialog>([this, choice](DriveDialog* dialog) {
            auto* combo = FindControl<QComboBox>(dialog, DriveDialog::DriveComboId);
            offered.clear();
            for (int i = 0; i < combo->count(); ++i)
                offered << combo->itemText(i);
            preselected = combo->currentIndex();
            if (choice < 0)
                return dialog->reject();
            combo->setCurrentIndex(choice);
            FindControl<QPushButton>(dialog, DriveDialog::OkId)->click();
        });
    }

    QWidget window;
    FileListView list{&window};
    LibraryButtons buttons{};
    FakeDriveProvider drives;
    QStringList offered;
    int preselected = -1;
};

TEST_F(Library, TakesTheCommandLineCardWithoutAsking) {
    auto library = Make(TestCard());
    library->ScanDrives();
    EXPECT_EQ(library->LibraryRoot(), TestCard());
    EXPECT_FALSE(library->FolderMode());
    EXPECT_EQ(list.ItemCount(), 6);
    EXPECT_TRUE(buttons.kinds[0]->isChecked());
}

TEST_F(Library, StartUpWithoutRemovableDrivesAsksNothing) {
    auto library = Make();
    library->ScanDrives(); // a dialog would block here
    EXPECT_TRUE(library->LibraryRoot().isEmpty());
    EXPECT_EQ(list.ItemCount(), 0);
}

TEST_F(Library, OffersEveryRemovableDriveInOrderAndTakesTheChosenOne) {
    // "/" sorts before the card's test folder wherever the build lies.
    drives.SetRemovableDrives({{TestCard(), ""}, {"/", "CARD"}});
    auto library = Make();
    AnswerDriveDialog(1);
    library->ScanDrives();
    EXPECT_EQ(offered, (QStringList{"/[CARD]", TestCard() + "[Portable Disk]"}));
    EXPECT_EQ(preselected, 0);
    EXPECT_EQ(library->LibraryRoot(), TestCard());
    EXPECT_EQ(list.ItemCount(), 6);
}

TEST_F(Library, ChoosingTheCurrentDriveAgainRebuildsNothing) {
    drives.SetRemovableDrives({{TestCard(), "QX5"}});
    auto library = Make();
    AnswerDriveDialog(0);
    ASSERT_TRUE(library->SelectCardDrive());
    library->RefreshList(KindEvent, false);
    ASSERT_EQ(list.ItemCount(), 2);
    list.SetChecked(0, true);

    AnswerDriveDialog(0);
    EXPECT_FALSE(library->SelectCardDrive());
    EXPECT_EQ(list.ItemCount(), 2);
    EXPECT_EQ(list.ItemText(0, ColumnCheck), "1");
    EXPECT_TRUE(buttons.kinds[2]->isChecked());

    AnswerDriveDialog(-1);
    EXPECT_FALSE(library->SelectCardDrive());
}

TEST_F(Library, RefreshChecksTheKindButtonAndFilters) {
    auto library = Make(TestCard());
    library->ScanDrives();
    const struct {
        KindFilter kind;
        int button;
        const char* code;
    } cases[] = {{KindNormal, 1, "NOR"},
                 {KindEvent, 2, "EVT"},
                 {KindMotion, 3, "MOT"},
                 {KindFilter(7), 0, ""},
                 {KindAll, 0, ""}};
    for (const auto& c : cases) {
        library->RefreshList(c.kind, false);
        for (size_t b = 0; b < buttons.kinds.size(); ++b)
            EXPECT_EQ(buttons.kinds[b]->isChecked(), int(b) == c.button) << c.kind;
        ASSERT_GT(list.ItemCount(), 0);
        for (int row = 0; row < list.ItemCount(); ++row)
            EXPECT_TRUE(list.ItemText(row, ColumnName).mid(16, 3).startsWith(c.code));
    }
}

TEST_F(Library, ForgetsOnlyTheRemovedCard) {
    auto library = Make(TestCard());
    library->ScanDrives();
    const QString other = "/media/other/";
    EXPECT_FALSE(library->ForgetRemovedDrive(other));
    EXPECT_FALSE(library->ForgetRemovedDrive(TestCard().toUpper()));
    EXPECT_FALSE(library->ForgetRemovedDrive(""));
    EXPECT_EQ(list.ItemCount(), 6);

    EXPECT_TRUE(library->ForgetRemovedDrive(TestCard()));
    EXPECT_TRUE(library->LibraryRoot().isEmpty());
    EXPECT_EQ(list.ItemCount(), 0);
    for (auto* button : buttons.kinds)
        EXPECT_FALSE(button->isChecked());
}

TEST_F(Library, AFolderOnTheRemovedCardIsForgottenToo) {
    QTemporaryDir elsewhere;
    const struct {
        QString folder;
        bool onCard;
    } cases[] = {
        {TestCard().chopped(1), true}, // the mount point, as the folder browser names it
        {TestCard() + "Recordings", true},
        {elsewhere.path(), false},
    };
    for (const auto& c : cases) {
        auto library = Make(TestCard());
        library->ScanDrives();
        AnswerFolderBrowser(c.folder);
        Flip(buttons.folder);
        library->OnFolderToggle();
        ASSERT_TRUE(library->FolderMode()) << c.folder.toStdString();
        const int rows = list.ItemCount();
        EXPECT_EQ(library->ForgetRemovedDrive(TestCard()), c.onCard) << c.folder.toStdString();
        EXPECT_EQ(library->LibraryRoot().isEmpty(), c.onCard) << c.folder.toStdString();
        EXPECT_EQ(list.ItemCount(), c.onCard ? 0 : rows) << c.folder.toStdString();
        Flip(buttons.folder);
    }
}

TEST_F(Library, KindButtonsNarrowTheListAndClearCheckAll) {
    auto library = Make(TestCard());
    library->ScanDrives();
    buttons.checkAll->setChecked(true);
    Flip(buttons.kinds[1]);
    library->OnKindButton(KindNormal);
    EXPECT_FALSE(buttons.checkAll->isChecked());
    EXPECT_EQ(library->CurrentKind(), KindNormal);
    EXPECT_EQ(Names(), (QStringList{"20261201_081500_NOR.AVI", "20261202_081500_NOR.MP4"}));
}

TEST_F(Library, KindButtonWithoutACardAsksForOneOrDoesNothing) {
    auto library = Make();
    library->OnKindButton(KindEvent); // no drive: no dialog, nothing listed
    EXPECT_EQ(list.ItemCount(), 0);

    drives.SetRemovableDrives({{TestCard(), "QX5"}});
    AnswerDriveDialog(0);
    library->OnKindButton(KindEvent);
    EXPECT_EQ(library->LibraryRoot(), TestCard());
    EXPECT_EQ(list.ItemCount(), 2);
    EXPECT_TRUE(buttons.kinds[2]->isChecked());
}

TEST_F(Library, DateFilterListsOneDayUntilTurnedOff) {
    auto library = Make(TestCard());
    library->ScanDrives();
    AnswerCalendar(QDate(2026, 12, 2));
    Flip(buttons.calendar);
    library->OnCalendarToggle();
    EXPECT_TRUE(buttons.calendar->isChecked());
    EXPECT_EQ(list.ItemCount(), 3);
    for (const QString& name : Names())
        EXPECT_TRUE(name.startsWith("20261202"));

    library->OnKindButton(KindEvent);
    EXPECT_EQ(Names(), QStringList{"20261202_081640_EVT.AVI"});

    Flip(buttons.calendar);
    library->OnCalendarToggle();
    EXPECT_EQ(list.ItemCount(), 2); // both days' Event recordings

    AnswerCalendar({});
    Flip(buttons.calendar);
    library->OnCalendarToggle();
    EXPECT_FALSE(buttons.calendar->isChecked());
    EXPECT_EQ(list.ItemCount(), 2);
}

TEST_F(Library, CalendarMarksTheListedDaysAndOpensOnTheNewest) {
    QTemporaryDir empty;
    const struct {
        QString folder; // empty: the card itself
        QList<QDate> days;
    } cases[] = {
        {{}, {QDate(2026, 12, 1), QDate(2026, 12, 2)}},
        {TestCard() + "Recordings/Backup", {QDate(2026, 12, 1)}},
        {empty.path(), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder.toStdString());
        auto library = Make(TestCard());
        library->ScanDrives();
        if (!c.folder.isEmpty()) {
            AnswerFolderBrowser(c.folder);
            Flip(buttons.folder);
            library->OnFolderToggle();
        }
        CalendarSeen seen;
        AcceptCalendarAsOpened(seen);
        Flip(buttons.calendar);
        library->OnCalendarToggle();
        EXPECT_EQ(seen.marked, c.days);
        EXPECT_TRUE(seen.markedInAccent);
        const QDate newest = c.days.isEmpty() ? QDate::currentDate() : c.days.constLast();
        EXPECT_EQ(seen.opensOn, newest);
        // OK on the day it opened on lists that day.
        EXPECT_EQ(QDateTime::fromSecsSinceEpoch(library->SelectedDate()).date(), newest);
        Flip(buttons.calendar);
        library->OnCalendarToggle();
        if (!c.folder.isEmpty())
            Flip(buttons.folder);
    }
}

TEST_F(Library, CalendarMarksOnlyTheDaysOfTheCurrentKind) {
    QTemporaryDir folder;
    for (const char* name : {"20250301_100000_EVT.AVI", "20250302_100000_NOR.AVI",
                             "20250303_100000_EVT.MP4", "not-a-date_0000_EVT.AVI"}) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(2048, 'x'));
    }
    auto library = Make();
    AnswerFolderBrowser(folder.path());
    Flip(buttons.folder);
    library->OnFolderToggle();
    library->OnKindButton(KindEvent);
    CalendarSeen seen;
    AcceptCalendarAsOpened(seen);
    Flip(buttons.calendar);
    library->OnCalendarToggle();
    EXPECT_EQ(seen.marked, (QList<QDate>{QDate(2025, 3, 1), QDate(2025, 3, 3)}));
    EXPECT_EQ(seen.opensOn, QDate(2025, 3, 3));
    EXPECT_EQ(Names(), QStringList{"20250303_100000_EVT.MP4"});
}

TEST_F(Library, TheChosenDayShowsBesideTheButtonWhileTheFilterIsOn) {
    window.show();
    buttons.folder->setGeometry(200, 10, 36, 22);
    buttons.calendar->setGeometry(236, 10, 36, 22);
    auto library = Make(TestCard());
    library->ScanDrives();
    EXPECT_FALSE(SelectedDay()->isVisible());

    AnswerCalendar(QDate(2026, 12, 1));
    Flip(buttons.calendar);
    library->OnCalendarToggle();
    EXPECT_TRUE(SelectedDay()->isVisible());
    EXPECT_EQ(SelectedDay()->text(), "2026.12.01");
    EXPECT_LT(SelectedDay()->geometry().right(), 200);
    EXPECT_EQ(SelectedDay()->y(), 10);

    // A layout that hides the button (full screen, the enlarged map) hides the day with it.
    buttons.calendar->hide();
    EXPECT_FALSE(SelectedDay()->isVisible());
    buttons.calendar->show();
    EXPECT_TRUE(SelectedDay()->isVisible());

    Flip(buttons.calendar);
    library->OnCalendarToggle();
    EXPECT_FALSE(SelectedDay()->isVisible());

    AnswerCalendar({});
    Flip(buttons.calendar);
    library->OnCalendarToggle();
    EXPECT_FALSE(SelectedDay()->isVisible());
}

TEST_F(Library, DateChosenBeforeAnyCardListsNothing) {
    auto library = Make();
    AnswerCalendar(QDate(2026, 12, 1));
    Flip(buttons.calendar);
    library->OnCalendarToggle();
    EXPECT_TRUE(buttons.calendar->isChecked());
    EXPECT_EQ(QDateTime::fromSecsSinceEpoch(library->SelectedDate()).date(), QDate(2026, 12, 1));
    EXPECT_EQ(list.ItemCount(), 0);
}

TEST_F(Library, FolderModeListsTheChosenFolderAndReturnsToTheCard) {
    auto library = Make(TestCard());
    library->ScanDrives();
    for (auto* button : buttons.kinds)
        button->setChecked(false);

    AnswerFolderBrowser(TestCard() + "Recordings/Backup");
    Flip(buttons.folder);
    library->OnFolderToggle();
    EXPECT_TRUE(library->FolderMode());
    EXPECT_TRUE(buttons.kinds[0]->isChecked());
    EXPECT_EQ(Names(), QStringList{"20261201_081500_NOR.AVI"});

    Flip(buttons.folder);
    library->OnFolderToggle();
    EXPECT_FALSE(library->FolderMode());
    EXPECT_EQ(library->LibraryRoot(), TestCard());
    EXPECT_EQ(list.ItemCount(), 6);

    // The card's root as a folder: its Recordings folder is not searched.
    AnswerFolderBrowser(TestCard());
    Flip(buttons.folder);
    library->OnFolderToggle();
    EXPECT_TRUE(library->FolderMode());
    EXPECT_EQ(list.ItemCount(), 0);
}

TEST_F(Library, FolderModeEndsEmptyWithoutACardAndCancelsCleanly) {
    auto library = Make();
    AnswerFolderBrowser({});
    Flip(buttons.folder);
    library->OnFolderToggle();
    EXPECT_FALSE(buttons.folder->isChecked());
    EXPECT_FALSE(library->FolderMode());

    AnswerFolderBrowser(TestCard() + "Recordings");
    Flip(buttons.folder);
    library->OnFolderToggle();
    EXPECT_EQ(library->LibraryRoot(), TestCard() + "Recordings");
    EXPECT_EQ(list.ItemCount(), 6);
    Flip(buttons.folder);
    library->OnFolderToggle();
    EXPECT_TRUE(library->LibraryRoot().isEmpty());
    EXPECT_EQ(list.ItemCount(), 0);
}

TEST_F(Library, CheckAllMarksAndUnmarksEveryRow) {
    auto library = Make(TestCard());
    library->OnCheckAll(); // empty list: only the toggle
    library->ScanDrives();
    Flip(buttons.checkAll);
    library->OnCheckAll();
    for (int row = 0; row < list.ItemCount(); ++row)
        EXPECT_EQ(list.ItemText(row, ColumnCheck), "1");
    list.SetChecked(2, false);
    EXPECT_TRUE(buttons.checkAll->isChecked());
    Flip(buttons.checkAll);
    library->OnCheckAll();
    for (int row = 0; row < list.ItemCount(); ++row)
        EXPECT_EQ(list.ItemText(row, ColumnCheck), "0");
}

} // namespace
