#pragma once

#include "app/ControlIds.h"
#include "app/MainWindow.h"
#include "library/FakeDriveProvider.h"
#include "library/ui/FileListView.h"
#include "playback/NullAudioOutput.h"
#include "tests/support/DoubleClick.h"
#include "tests/support/FindControl.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <memory>

// The card a window test opens, and how.
struct CardWindowSetup {
    enum Card {
        // The card made once for the whole run (tests/CMakeLists.txt), read by every test.
        RunCard,
        // A card made with the arguments below once per test program, read by every test.
        MadeCard,
        // A copy of that card for each test, which the test may change.
        CopyOfMadeCard,
        // None: each test opens the window itself, once it has set up what the window finds.
        NoCard,
    };
    Card card = RunCard;
    // karvenna-democard's arguments.
    int days = 1;
    int perDay = 3;
    int seconds = 1;
    const char* size = "64x48";
    int fps = 10;
};

// The main window, silent and offline, on the card of the setup, its drives whatever the test
// says they are.
class CardWindowFixture : public ::testing::Test {
protected:
    explicit CardWindowFixture(CardWindowSetup setup = {}) : setup(setup) {}

    void SetUp() override {
        if (setup.card != CardWindowSetup::NoCard)
            OpenWindow(CardRoot());
    }
    // The window goes before anything the test keeps for it, its card first of all.
    void TearDown() override { window.reset(); }
    // The program leaves without running static destructors.
    static void TearDownTestSuite() { MadeCards().clear(); }

    // Opens a new window on `root`, as the command line gives it, and waits for the start-up
    // scan to take it.
    void OpenWindow(const QString& root) {
        window.reset();
        window = std::make_unique<MainWindow>(
            root, &drives, [] { return std::make_unique<NullAudioOutput>(); },
            [] { return false; });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->LibraryRoot() == root; }));
        if (setup.card == CardWindowSetup::MadeCard ||
            setup.card == CardWindowSetup::CopyOfMadeCard) {
            ASSERT_EQ(List()->ItemCount(), setup.days * setup.perDay);
        }
    }

    // Copies the made card into `folder` and opens a new window on it.
    void OpenWindowOnCopy(const QString& folder) {
        CopyMadeCard(folder);
        OpenWindow(folder + '/');
    }

    // The root of the test's card, with its closing slash; a copy is made on first use.
    const QString& CardRoot() {
        if (placedRoot.isEmpty())
            placedRoot = PlaceCard();
        return placedRoot;
    }

    template <typename T = QWidget> T* Control(int id) const {
        return FindControl<T>(window.get(), id);
    }
    FileListView* List() const { return Control<FileListView>(ControlId::FileList); }
    int State() const { return window->Player().State(); }
    void Click(int id) const { QTest::mouseClick(Control(id), Qt::LeftButton); }
    void Mark(const QList<int>& rows) const {
        for (int row : rows)
            List()->SetChecked(row, true);
    }
    void DoubleClickRow(int row) const {
        DoubleClick(List()->viewport(),
                    List()->visualRect(List()->model()->index(row, 0)).center());
    }
    QString Path(int row) const { return List()->ItemText(row, ColumnPath); }
    QString Name(int row) const { return List()->ItemText(row, ColumnName); }
    // The path without its extension, to which the telemetry endings are added.
    QString Base(int row) const { return Path(row).chopped(4); }

    const CardWindowSetup setup;
    FakeDriveProvider drives;
    std::unique_ptr<MainWindow> window;

private:
    QString PlaceCard() {
        switch (setup.card) {
        case CardWindowSetup::RunCard:
            return qEnvironmentVariable("KARVENNA_TEST_CARD") + '/';
        case CardWindowSetup::MadeCard:
            return MadeCardFolder() + '/';
        case CardWindowSetup::CopyOfMadeCard:
            CopyMadeCard(copy.path());
            return copy.path() + '/';
        case CardWindowSetup::NoCard:
            break;
        }
        return {};
    }

    // Made on first use and kept for the rest of the test suite: its tests share the card, not
    // the time it takes to make it.
    static std::map<QStringList, std::unique_ptr<QTemporaryDir>>& MadeCards() {
        static std::map<QStringList, std::unique_ptr<QTemporaryDir>> made;
        return made;
    }

    QString MadeCardFolder() const {
        const QStringList arguments{
            "--days",    QString::number(setup.days),    "--per-day", QString::number(setup.perDay),
            "--seconds", QString::number(setup.seconds), "--size",    setup.size,
            "--fps",     QString::number(setup.fps)};
        std::unique_ptr<QTemporaryDir>& folder = MadeCards()[arguments];
        if (!folder) {
            folder = std::make_unique<QTemporaryDir>();
            EXPECT_EQ(QProcess::execute(qEnvironmentVariable("KARVENNA_DEMOCARD"),
                                        QStringList{folder->filePath("card")} + arguments),
                      0);
        }
        return folder->filePath("card");
    }

    void CopyMadeCard(const QString& folder) const {
        const QDir from(MadeCardFolder());
        for (QDirIterator it(from.path(), QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();) {
            const QString source = it.next();
            const QString target = folder + '/' + from.relativeFilePath(source);
            QDir().mkpath(QFileInfo(target).path());
            EXPECT_TRUE(QFile::copy(source, target)) << target.toStdString();
        }
    }

    QTemporaryDir copy;
    QString placedRoot;
};
