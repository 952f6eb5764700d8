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

// The main window, silent, on a card of its own that the test may change: a copy of short
// recordings (one day, three seconds each, the kinds in turn) made once per test program.
class CardWindowFixture : public ::testing::Test {
protected:
    static constexpr int Recordings = 10;

    static void SetUpTestSuite() {
        made = new QTemporaryDir;
        QProcess::execute(qEnvironmentVariable("KARVENNA_DEMOCARD"),
                          {made->filePath("card"), "--days", "1", "--per-day",
                           QString::number(Recordings), "--seconds", "3", "--size", "64x48",
                           "--fps", "10"});
    }
    static void TearDownTestSuite() { delete made; }

    void SetUp() override { OpenWindow(card.path()); }

    // Copies the card into `root` and opens a new window on it.
    void OpenWindow(const QString& root) {
        window.reset();
        const QDir from(made->filePath("card"));
        for (QDirIterator it(from.path(), QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();) {
            const QString source = it.next();
            const QString target = root + '/' + from.relativeFilePath(source);
            QDir().mkpath(QFileInfo(target).path());
            ASSERT_TRUE(QFile::copy(source, target)) << target.toStdString();
        }
        window = std::make_unique<MainWindow>(root + '/', &drives,
                                              [] { return std::make_unique<NullAudioOutput>(); });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(QTest::qWaitFor([this] { return List()->ItemCount() == Recordings; }));
    }

    template <typename T = QWidget> T* Control(int id) const {
        return FindControl<T>(window.get(), id);
    }
    FileListView* List() const { return Control<FileListView>(ControlId::FileList); }
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

    static QTemporaryDir* made;
    QTemporaryDir card;
    FakeDriveProvider drives;
    std::unique_ptr<MainWindow> window;
};

inline QTemporaryDir* CardWindowFixture::made = nullptr;
