#include "app/fullscreen/FullScreenFileList.h"
#include "library/ui/ReplaceQuestion.h"
#include "library/ui/SaveDeleteCommands.h"
#include "library/ui/SaveRun.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "tests/app/CardWindowFixture.h"
#include "tests/settings/ui/SettingsUiTestSupport.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/SmallDisk.h"

#include <QFileDialog>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QtEndian>

namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Keeps the text of every box that only tells (OK) and closes it; questions are left alone.
struct Reports : MessageBoxes {
    Reports() : MessageBoxes(QMessageBox::Ok, OnlyReports) {}
};

// Ten recordings of three seconds, the kinds in turn, on a card of each test's own.
class SaveDeleteWindow : public CardWindowFixture {
protected:
    static constexpr int Recordings = 10;

    SaveDeleteWindow()
        : CardWindowFixture(
              {.card = CardWindowSetup::CopyOfMadeCard, .perDay = Recordings, .seconds = 3}) {}

    SaveDeleteCommands* Commands() const { return window->findChild<SaveDeleteCommands*>(); }

    // The question before a delete: the program's words, then the names of what goes.
    QString DeleteQuestion(const QList<int>& rows) const {
        QString question = "Delete selected file?";
        for (int row : rows)
            question += '\n' + Name(row);
        return question;
    }

    // Presses Save, chooses `folder` in the browser (or accepts what it offers when empty) and
    // waits for the copying to end.
    void SaveTo(const QString& folder) {
        AnswerModal<QFileDialog>([this, folder](QFileDialog* browser) {
            browserTitle = browser->windowTitle();
            offeredFolder = browser->directory().absolutePath();
            if (!folder.isEmpty())
                browser->setDirectory(folder);
            static_cast<QDialog*>(browser)->accept();
        });
        QSignalSpy finished(Commands(), &SaveDeleteCommands::saveFinished);
        window->OnCommand(ControlId::Save);
        ASSERT_TRUE(finished.wait(20000));
    }

    // Answers the next name-clash question with the button of that text, clicked as a user
    // clicks after a second's thought: long enough for the progress window to come up, which
    // once took the foreground from the question and left its buttons dead.
    void AnswerClash(int stringId, std::function<void()> meanwhile = {}) {
        AnswerModal<QMessageBox>([this, stringId, meanwhile](QMessageBox* box) {
            questions << box->text();
            if (meanwhile)
                meanwhile();
            QTest::qWait(1000);
            EXPECT_EQ(QApplication::activeModalWidget(), box) << "the question lost the foreground";
            for (QAbstractButton* button : box->buttons())
                if (button->text() == LoadLangString(stringId))
                    return QTest::mouseClick(button, Qt::LeftButton);
            ADD_FAILURE() << "no button " << stringId;
            box->reject();
        });
    }

    QStringList Saved(const QString& folder) const { return Entries(folder); }

    QTemporaryDir destination;
    QString browserTitle;
    QString offeredFolder;
    QStringList questions;
};

TEST_F(SaveDeleteWindow, SavesTheMarkedRecordingsWithTheirTelemetryAndKeepsTheMarks) {
    ASSERT_TRUE(QFile::remove(Base(4) + ".gsf"));
    ASSERT_TRUE(QFile::remove(Base(7) + ".gps"));
    ASSERT_TRUE(QFile::remove(Base(7) + ".gsf"));
    Mark({1, 4, 7});
    Reports reports;
    SaveTo(destination.path());
    EXPECT_EQ(reports.texts, QStringList{"Recordings saved: 3\nFolder: " + destination.path()});
    EXPECT_EQ(browserTitle, "Save");
    QStringList expected;
    for (const QString& file :
         {Path(1), Base(1) + ".gps", Base(1) + ".gsf", Path(4), Base(4) + ".gps", Path(7)}) {
        expected << QFileInfo(file).fileName();
        EXPECT_EQ(Read(destination.filePath(QFileInfo(file).fileName())), Read(file));
    }
    expected.sort();
    EXPECT_EQ(Saved(destination.path()), expected);
    EXPECT_EQ(List()->ItemCount(), Recordings);
    for (int row = 0; row < Recordings; ++row)
        EXPECT_EQ(List()->IsChecked(row), row == 1 || row == 4 || row == 7) << row;

    // The second save offers the first folder: accepting it as it is saves there again, and
    // every file there now clashes; one answer replaces them all.
    AnswerClash(StringId::ReplaceAll);
    SaveTo({});
    EXPECT_EQ(offeredFolder, QDir(destination.path()).absolutePath());
    EXPECT_EQ(questions,
              QStringList{"The folder already holds a file named " + Name(1) + ".\nReplace it?"});
    EXPECT_EQ(Saved(destination.path()), expected);
}

TEST_F(SaveDeleteWindow, NothingMarkedOrTheBrowserCancelledSavesNothing) {
    QFileDialog* asked = nullptr;
    AnswerModal<QFileDialog>([&](QFileDialog* browser) {
        asked = browser;
        browser->reject();
    });
    Click(ControlId::Save); // nothing marked: no browser
    EXPECT_EQ(asked, nullptr);
    Mark({2});
    Click(ControlId::Save);
    EXPECT_NE(asked, nullptr);
    EXPECT_EQ(Commands()->RunningSave(), nullptr);
    EXPECT_TRUE(Commands()->LastSaveFolder().isEmpty());
}

TEST_F(SaveDeleteWindow, EachClashAnswerInTheWindow) {
    const struct {
        int answer;
        // Whether the old copy of row 1's video was replaced, and how many files are new.
        bool replaced;
        int questions;
        // What the report after the save begins with.
        const char* reported;
    } cases[] = {
        {StringId::Replace, true, 1, "Recordings saved: 2\nFolder: "},
        {StringId::Skip, false, 1, "Recordings saved: 1\nFolder: "},
        {StringId::ReplaceAll, true, 1, "Recordings saved: 2\nFolder: "},
        {StringId::Cancel, false, 1, "The save was cancelled."},
    };
    Mark({1, 2});
    for (const auto& c : cases) {
        QTemporaryDir folder;
        const QString old = folder.filePath(Name(2));
        QFile file(old);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
        file.close();
        questions.clear();
        AnswerClash(c.answer);
        Reports reports;
        SaveTo(folder.path());
        EXPECT_EQ(questions.size(), c.questions) << c.answer;
        EXPECT_EQ(Read(old), c.replaced ? Read(Path(2)) : QByteArray("old")) << c.answer;
        // The first recording came before the clash and is saved whatever the answer.
        EXPECT_EQ(Read(folder.filePath(Name(1))), Read(Path(1))) << c.answer;
        EXPECT_EQ(QFile::exists(folder.filePath(QFileInfo(Base(2)).fileName() + ".gps")),
                  c.answer != StringId::Cancel)
            << c.answer;
        ASSERT_EQ(reports.texts.size(), 1) << c.answer;
        EXPECT_TRUE(reports.texts[0].startsWith(c.reported)) << reports.texts[0].toStdString();
        for (const QString& entry : Entries(folder.path()))
            EXPECT_FALSE(entry.startsWith('.')) << entry.toStdString();
    }
}

TEST_F(SaveDeleteWindow, TheClashQuestionSpeaksTheProgramsLanguage) {
    SetUILanguage(StringTable::Russian);
    const struct {
        bool several;
        QStringList buttons;
    } cases[] = {
        {true, {"Заменить", "Пропустить", "Заменить все", "Отмена"}},
        {false, {"Заменить", "Отмена"}},
    };
    for (const auto& c : cases) {
        QStringList shown;
        QString text;
        AnswerModal<QMessageBox>([&](QMessageBox* box) {
            text = box->text();
            for (QAbstractButton* button : box->buttons())
                shown << button->text();
            box->reject();
        });
        EXPECT_EQ(AskReplace(window.get(), "a.AVI", c.several), ClashAnswer::Cancel);
        EXPECT_EQ(text, QString::fromUtf8("В папке уже есть файл a.AVI.\nЗаменить его?"));
        shown.sort();
        QStringList expected = c.buttons;
        expected.sort();
        EXPECT_EQ(shown, expected);
    }
    SetUILanguage(StringTable::English);
}

TEST_F(SaveDeleteWindow, AFullDiskLeavesNoPartialFileAndTheReportNamesWhatWasNotSaved) {
    // Rows 0 and 3 fit on the disk; row 2's video, between them, never does.
    qint64 fitting = 128 * 1024;
    for (int row : {0, 3})
        for (const QString& file : {Path(row), Base(row) + ".gps", Base(row) + ".gsf"})
            fitting += QFileInfo(file).size();
    QFile big(Path(2));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(QByteArray(fitting, 'v'));
    big.close();
    SmallDisk disk(fitting);
    disk.Full();
    Mark({0, 2, 3});
    Reports reports;
    SaveTo(disk.Path());
    ASSERT_EQ(reports.texts.size(), 1);
    const QStringList lines = reports.texts[0].split('\n');
    ASSERT_EQ(lines.size(), 3) << reports.texts[0].toStdString();
    EXPECT_EQ(lines[0], "8 of 9 files were saved.");
    EXPECT_EQ(lines[1], "Not saved:");
    EXPECT_TRUE(lines[2].startsWith("cannot write " + disk.Path() + '/' + Name(2) + ": "))
        << lines[2].toStdString();
    const QStringList saved = Saved(disk.Path());
    EXPECT_EQ(saved.size(), 8);
    EXPECT_FALSE(saved.contains(Name(2)));
    for (const QString& entry : saved)
        EXPECT_FALSE(entry.startsWith('.')) << entry.toStdString();
}

// A recording the camera did not finish is saved as it is, and a repaired copy beside it only
// when the user agrees; one that is finished is not asked about.
TEST_F(SaveDeleteWindow, OffersARepairedCopyOfAnMp4TheCameraDidNotFinish) {
    int cut = -1;
    for (int row = 0; row < Recordings && cut < 0; ++row)
        if (Name(row).endsWith(".MP4"))
            cut = row;
    ASSERT_GE(cut, 0);
    QByteArray mp4 = Read(Path(cut));
    const qsizetype moov = mp4.indexOf("moov") - 4;
    mp4.remove(moov, qFromBigEndian<quint32>(mp4.constData() + moov));
    QFile file(Path(cut));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(mp4);
    file.close();
    Mark({cut});
    for (const auto answer : {QMessageBox::Cancel, QMessageBox::Ok}) {
        QTemporaryDir folder;
        const QString copy = folder.filePath(QFileInfo(Base(cut)).fileName() + "_REPAIRED.MP4");
        MessageBoxes boxes(answer);
        SaveTo(folder.path());
        ASSERT_GE(boxes.texts.size(), 2);
        EXPECT_TRUE(boxes.texts[0].startsWith("Recordings saved: 1\n")) << "the save, then";
        EXPECT_EQ(boxes.texts[1], "The camera did not finish " + Name(cut) +
                                      ". Save a repaired copy beside it as " +
                                      QFileInfo(copy).fileName() + "?");
        EXPECT_EQ(Read(folder.filePath(Name(cut))), mp4) << "saved as it is";
        EXPECT_EQ(QFile::exists(copy), answer == QMessageBox::Ok);
        if (answer == QMessageBox::Ok) {
            const QByteArray repaired = Read(copy);
            EXPECT_TRUE(repaired.contains("moov"));
            EXPECT_GT(repaired.size(), mp4.size());
        }
    }
}

TEST_F(SaveDeleteWindow, CancelOnTheProgressStopsTheSaveAndSaysWhatWasSaved) {
    Mark({1, 2, 3});
    const QString old = destination.filePath(Name(2));
    QFile file(old);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    // While the copying waits for the answer to the clash, the user cancels the whole save.
    AnswerClash(StringId::Replace, [this] {
        Commands()->RunningSave()->ProgressDialog()->findChild<QPushButton*>()->click();
    });
    Reports reports;
    SaveTo(destination.path());
    ASSERT_EQ(reports.texts.size(), 1);
    const QStringList lines = reports.texts[0].split('\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], "The save was cancelled.");
    EXPECT_EQ(lines[1], "3 of 9 files were saved.");
    EXPECT_EQ(lines[2], "Not saved:");
    EXPECT_EQ(lines.mid(3).size(), 6);
    EXPECT_EQ(Saved(destination.path()).size(), 4); // row 1's three files and the old one
    EXPECT_TRUE(Read(old).isEmpty());
}

TEST_F(SaveDeleteWindow, DeleteSelectsTheRowBeforeTheFirstDeleted) {
    const struct {
        QList<int> marked;
        int selected;
    } cases[] = {
        {{3, 5}, 2},
        {{0}, -1},
        {{8, 9}, 7},
    };
    for (const auto& c : cases) {
        QTemporaryDir fresh;
        OpenWindowOnCopy(fresh.path());
        QStringList gone;
        for (int row : c.marked)
            gone << Path(row) << Base(row) + ".gps" << Base(row) + ".gsf";
        Mark(c.marked);
        const QString question = DeleteQuestion(c.marked);
        MessageBoxes answers;
        Click(ControlId::Delete);
        EXPECT_EQ(answers.texts, QStringList{question});
        EXPECT_EQ(List()->ItemCount(), Recordings - c.marked.size());
        EXPECT_EQ(List()->FirstSelectedRow(), c.selected);
        // The full-screen panel's list shows the same rows and selection.
        EXPECT_EQ(window->findChild<FullScreenFileList*>()->List()->FirstSelectedRow(), c.selected);
        for (const QString& file : gone)
            EXPECT_FALSE(QFile::exists(file)) << file.toStdString();
        for (int row = 0; row < List()->ItemCount(); ++row)
            EXPECT_FALSE(List()->IsChecked(row));
        window.reset();
    }
}

TEST_F(SaveDeleteWindow, TheOpenRecordingIsNeverDeleted) {
    DoubleClickRow(4);
    // Paused inside the recording, so that it stays open.
    QTest::keyClick(List(), Qt::Key_Space);
    window->Player().SeekMs(500);
    ASSERT_EQ(window->CurrentIndex(), 4);
    const QString open = Path(4);
    Mark({4});
    MessageBoxes answers;
    Click(ControlId::Delete);
    EXPECT_EQ(answers.texts, QStringList{"Files being played can't be deleted."});
    EXPECT_EQ(List()->ItemCount(), Recordings);
    EXPECT_TRUE(QFile::exists(open));

    // With others marked the question begins with the same words; the others go.
    const QString before = Path(2), after = Path(7);
    Mark({2, 7});
    answers.texts.clear();
    const QString question = "Files being played can't be deleted.\n" + DeleteQuestion({2, 7});
    Click(ControlId::Delete);
    EXPECT_EQ(answers.texts, QStringList{question});
    EXPECT_EQ(List()->ItemCount(), Recordings - 2);
    EXPECT_FALSE(QFile::exists(before));
    EXPECT_FALSE(QFile::exists(after));
    EXPECT_TRUE(QFile::exists(open));
    // The open recording's row moved up by one: the index follows it.
    EXPECT_EQ(window->CurrentIndex(), 3);
    EXPECT_EQ(Path(3), open);
}

TEST_F(SaveDeleteWindow, CancelledOrWithoutTelemetry) {
    ASSERT_TRUE(QFile::remove(Base(1) + ".gps"));
    ASSERT_TRUE(QFile::remove(Base(1) + ".gsf"));
    Mark({1, 2});
    {
        MessageBoxes cancel(QMessageBox::Cancel);
        Click(ControlId::Delete);
        EXPECT_EQ(cancel.texts.size(), 1);
    }
    EXPECT_EQ(List()->ItemCount(), Recordings);
    EXPECT_TRUE(List()->IsChecked(1));

    const QString video = Path(1);
    const QString question = DeleteQuestion({1, 2});
    MessageBoxes answers;
    Click(ControlId::Delete);
    EXPECT_EQ(answers.texts, QStringList{question}) << "no word of the telemetry";
    EXPECT_FALSE(QFile::exists(video));
    EXPECT_EQ(List()->ItemCount(), Recordings - 2);
}

TEST_F(SaveDeleteWindow, AWriteProtectedCardIsReportedOnceNamingTheFilesKept) {
    SmallDisk disk(4 << 20);
    if (!disk.Mounted())
        GTEST_SKIP() << "this machine cannot mount a disk for this process";
    OpenWindowOnCopy(disk.Path());
    ASSERT_TRUE(disk.ReadOnly());
    Mark({0, 1});
    MessageBoxes answers;
    Click(ControlId::Delete);
    ASSERT_EQ(answers.texts.size(), 2);
    QStringList named = answers.texts[1].split('\n');
    EXPECT_EQ(named.takeFirst(), "These files could not be deleted:");
    EXPECT_EQ(named.size(), 6);
    EXPECT_TRUE(named.contains(Name(0)));
    EXPECT_EQ(List()->ItemCount(), Recordings);
    window.reset();
}

} // namespace
