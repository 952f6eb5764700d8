#include "tests/app/CardWindowFixture.h"
#include "tests/settings/ui/SettingsUiTestSupport.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/SmallDisk.h"
#include "tools/democard/FrameCode.h"

#include <QFileDialog>
#include <QImage>
#include <QLineEdit>

namespace {

// Ten recordings of three seconds on a card of each test's own.
class SnapshotWindow : public CardWindowFixture {
protected:
    SnapshotWindow()
        : CardWindowFixture({.card = CardWindowSetup::CopyOfMadeCard, .perDay = 10, .seconds = 3}) {
    }

    // Opens row 0 and leaves it paused half-way, or running.
    void OpenRecording(bool running) {
        DoubleClickRow(0);
        QTest::keyClick(List(), Qt::Key_Space);
        window->Player().SeekMs(500);
        ASSERT_TRUE(QTest::qWaitFor([this] { return !window->Player().Graph()->FramePending(); }));
        if (running)
            QTest::keyClick(List(), Qt::Key_Space);
        ASSERT_EQ(State(), running ? PlaybackGraph::Running : PlaybackGraph::Paused);
    }

    // Presses Capture and answers the save dialog with `name` in `folder` (or cancels it when
    // name is empty), noting what it offered and the engine's state meanwhile.
    void Capture(const QString& folder, const QString& name) {
        AnswerModal<QFileDialog>([=, this](QFileDialog* dialog) {
            offeredName = QFileInfo(dialog->selectedFiles().value(0)).fileName();
            offeredFolder = dialog->directory().absolutePath();
            stateDuringDialog = State();
            if (name.isEmpty())
                return dialog->reject();
            dialog->setDirectory(folder);
            // Typed as a user types it: selectFile leaves a focused name field alone.
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(name);
            static_cast<QDialog*>(dialog)->accept();
        });
        Click(ControlId::Capture);
    }

    QImage Grab() const {
        QImage frame;
        EXPECT_TRUE(window->Player().GrabFrame(frame));
        return frame;
    }

    QTemporaryDir folder;
    QString offeredName;
    QString offeredFolder;
    int stateDuringDialog = -1;
};

TEST_F(SnapshotWindow, CaptureWhilePausedSavesTheFrameAndStaysPaused) {
    OpenRecording(false);
    const int shownFrame = FrameCode::Read(Grab());
    const QString base = Name(0).chopped(4);
    const struct {
        const char* typed; // empty: the name offered
        QString written;
        QString offered;
    } cases[] = {
        {"shot.JPG", "shot.jpg", base + "_001.jpg"},
        {"shot.png", "shot.png.jpg", base + "_001.jpg"},
        {"shot", "shot.jpg", base + "_001.jpg"},
        {"", base + "_001.jpg", base + "_001.jpg"},
        {"", base + "_002.jpg", base + "_002.jpg"},
    };
    bool first = true;
    for (const auto& c : cases) {
        MessageBoxes replace(QMessageBox::Yes); // shot.jpg again
        Capture(folder.path(), *c.typed ? QString(c.typed) : c.offered);
        EXPECT_EQ(offeredName, c.offered) << c.typed;
        // The first dialog opens wherever the system puts it; later ones in the last folder.
        if (!first) {
            EXPECT_EQ(offeredFolder, QDir(folder.path()).absolutePath());
        }
        first = false;
        EXPECT_EQ(stateDuringDialog, PlaybackGraph::Paused);
        EXPECT_EQ(State(), PlaybackGraph::Paused);
        QImage saved;
        ASSERT_TRUE(saved.load(folder.filePath(c.written), "JPEG")) << c.written.toStdString();
        EXPECT_EQ(saved.size(), QSize(64, 48));
        EXPECT_EQ(FrameCode::Read(saved), shownFrame);
    }
}

TEST_F(SnapshotWindow, CaptureWhileRunningResumesAfterTheDialogAlsoWhenCancelled) {
    OpenRecording(true);
    Capture({}, {});
    EXPECT_EQ(stateDuringDialog, PlaybackGraph::Paused);
    EXPECT_EQ(State(), PlaybackGraph::Running);
    EXPECT_TRUE(QDir(folder.path()).isEmpty());

    window->Player().SeekMs(500);
    Capture(folder.path(), "shot");
    EXPECT_EQ(stateDuringDialog, PlaybackGraph::Paused);
    EXPECT_EQ(State(), PlaybackGraph::Running);
    EXPECT_TRUE(QFile::exists(folder.filePath("shot.jpg")));
}

TEST_F(SnapshotWindow, RotateTurnsThePictureAndTheSnapshotUntilTheNextOpen) {
    Click(ControlId::Rotate); // nothing open: nothing to turn
    OpenRecording(false);
    const QImage normal = Grab();
    Click(ControlId::Rotate);
    const QImage turned = Grab();
    EXPECT_EQ(turned.mirrored(true, true), normal);

    Capture(folder.path(), "turned.jpg");
    QImage saved;
    ASSERT_TRUE(saved.load(folder.filePath("turned.jpg"), "JPEG"));
    EXPECT_EQ(FrameCode::Read(saved), -1) << "the code is at the top now";
    EXPECT_EQ(FrameCode::Read(saved.mirrored(true, true)), FrameCode::Read(normal));

    Click(ControlId::Rotate);
    EXPECT_EQ(Grab(), normal);

    // Turned, then another recording: it shows normal, and one press turns it.
    Click(ControlId::Rotate);
    DoubleClickRow(1);
    QTest::keyClick(List(), Qt::Key_Space);
    window->Player().SeekMs(500);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window->Player().Graph()->FramePending(); }));
    const QImage next = Grab();
    EXPECT_NE(FrameCode::Read(next), -1);
    Click(ControlId::Rotate);
    EXPECT_EQ(Grab().mirrored(true, true), next);
}

TEST_F(SnapshotWindow, ASnapshotThatCannotBeWrittenIsReported) {
    OpenRecording(false);
    // "shot" is written as shot.jpg, where a folder of that name stands in the way.
    ASSERT_TRUE(QDir(folder.path()).mkdir("shot.jpg"));
    MessageBoxes answers(QMessageBox::Yes); // replace it: yes; then the failure
    Capture(folder.path(), "shot");
    ASSERT_EQ(answers.texts.size(), 2);
    EXPECT_EQ(answers.texts[0], "The folder already holds a file named shot.jpg.\nReplace it?");
    EXPECT_TRUE(answers.texts[1].startsWith("The picture could not be saved:\n" +
                                            folder.filePath("shot.jpg")))
        << answers.texts[1].toStdString();
    EXPECT_EQ(State(), PlaybackGraph::Paused);
}

// A disk too full for the picture: the snapshot is reported as not saved with the reason, and
// the picture it was to replace stays whole.
TEST_F(SnapshotWindow, ASnapshotOntoAFullDiskKeepsThePictureThere) {
    SmallDisk disk(64 * 1024);
    if (!disk.Mounted())
        GTEST_SKIP() << "needs a disk of its own, which only root may mount here";
    const QString shot = disk.Path() + "/shot.jpg";
    QFile old(shot);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(8 * 1024, 'o'));
    old.close();
    QFile filler(disk.Path() + "/filler");
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    while (filler.write(QByteArray(4096, 'f')) > 0 && filler.flush()) {
    }
    filler.close();
    OpenRecording(false);
    MessageBoxes answers(QMessageBox::Yes); // replace it: yes; then the failure
    Capture(disk.Path(), "shot");
    ASSERT_EQ(answers.texts.size(), 2);
    EXPECT_EQ(answers.texts[1], "The picture could not be saved:\n" + shot + "\ncannot write " +
                                    shot + ": No space left on device");
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray(8 * 1024, 'o'));
    EXPECT_EQ(QDir(disk.Path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"filler", "shot.jpg"}));
}

} // namespace
