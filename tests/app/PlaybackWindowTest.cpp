#include "app/MainWindowLayout.h"
#include "library/ui/DriveDialog.h"
#include "playback/ui/PlaybackCommands.h"
#include "skin/SkinButton.h"
#include "skin/SkinLabel.h"
#include "skin/SkinSlider.h"
#include "tests/app/CardWindowFixture.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/ModalAnswer.h"
#include "tools/democard/FrameCode.h"

#include <QPushButton>
#include <QWheelEvent>
#include <sys/stat.h>

namespace {

// Three recordings of one second each, read by all the tests here.
class PlaybackWindow : public CardWindowFixture {
protected:
    PlaybackWindow()
        : CardWindowFixture({.card = CardWindowSetup::MadeCard, .perDay = 3, .seconds = 1}) {}

    qint64 PositionMs() const { return window->Player().PositionMs(); }
    void Key(Qt::Key key) { QTest::keyClick(List(), key); }
    MessageBoxes messages;
};

TEST_F(PlaybackWindow, PlaysTheListToItsEndAndResets) {
    DoubleClickRow(0);
    EXPECT_EQ(window->CurrentIndex(), 0);
    EXPECT_EQ(State(), PlaybackGraph::Running);
    EXPECT_EQ(Control(ControlId::PlayPause)->toolTip(), "Pause");
    EXPECT_EQ(Control<SkinLabel>(ControlId::FileName)->text(), List()->ItemText(0, ColumnName));
    EXPECT_EQ(Control<SkinLabel>(ControlId::TotalTime)->text(), "00:00:01");
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->CurrentIndex() == 1; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->CurrentIndex() == 2; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->CurrentIndex() == -1; }, 5000));
    EXPECT_EQ(Control<SkinLabel>(ControlId::ElapsedTime)->text(), "00:00:00");
    EXPECT_EQ(Control<SkinLabel>(ControlId::TotalTime)->text(), "00:00:00");
    EXPECT_EQ(Control<SkinLabel>(ControlId::FileName)->text(), "");
    EXPECT_EQ(Control(ControlId::PlayPause)->toolTip(), "Play");
    EXPECT_EQ(Control<QAbstractSlider>(ControlId::PositionSlider)->value(), 0);
    EXPECT_EQ(window->Player().Graph(), nullptr);
}

TEST_F(PlaybackWindow, NextAndPreviousAtTheEnds) {
    QTest::mouseClick(Control(ControlId::Previous), Qt::LeftButton); // previous with nothing open
    EXPECT_EQ(window->CurrentIndex(), -1);
    QTest::mouseClick(Control(ControlId::Next), Qt::LeftButton); // next from nothing opens row 0
    EXPECT_EQ(window->CurrentIndex(), 0);
    EXPECT_EQ(State(), PlaybackGraph::Running);
    QTest::mouseClick(Control(ControlId::Previous), Qt::LeftButton); // previous on row 0
    EXPECT_EQ(window->CurrentIndex(), 0);
    QTest::mouseClick(Control(ControlId::Next), Qt::LeftButton);
    QTest::mouseClick(Control(ControlId::Next), Qt::LeftButton);
    EXPECT_EQ(window->CurrentIndex(), 2);
    QTest::mouseClick(Control(ControlId::Previous), Qt::LeftButton);
    EXPECT_EQ(window->CurrentIndex(), 1);
    QTest::mouseClick(Control(ControlId::Next), Qt::LeftButton);
    QTest::mouseClick(Control(ControlId::Next), Qt::LeftButton); // next on the last row stops
    EXPECT_EQ(window->CurrentIndex(), -1);
    EXPECT_EQ(Control(ControlId::PlayPause)->toolTip(), "Play");
    // The last row is still selected: play/pause plays it from its start.
    Key(Qt::Key_Space);
    EXPECT_EQ(window->CurrentIndex(), 2);
    EXPECT_EQ(State(), PlaybackGraph::Running);
}

TEST_F(PlaybackWindow, KeysPlayPauseAndStep) {
    List()->SelectRow(1);
    Key(Qt::Key_Space);
    EXPECT_EQ(window->CurrentIndex(), 1);
    EXPECT_EQ(State(), PlaybackGraph::Running);
    Key(Qt::Key_Space);
    EXPECT_EQ(State(), PlaybackGraph::Paused);
    EXPECT_EQ(Control(ControlId::PlayPause)->toolTip(), "Play");
    // One step forward reaches the end of a one-second recording: the next one plays.
    Key(Qt::Key_Right);
    EXPECT_EQ(window->CurrentIndex(), 2);
    EXPECT_EQ(State(), PlaybackGraph::Running);
    // Rewinding to the start while running stays on the recording.
    Key(Qt::Key_Left);
    EXPECT_EQ(window->CurrentIndex(), 2);
    EXPECT_EQ(State(), PlaybackGraph::Running);
}

// The habits of desktop players, on a paused recording.
TEST_F(PlaybackWindow, DesktopPlayerKeysAndMouse) {
    DoubleClickRow(0);
    Key(Qt::Key_Space);
    ASSERT_EQ(State(), PlaybackGraph::Paused);
    auto* mute = Control<SkinButton>(ControlId::Mute);
    Key(Qt::Key_M);
    EXPECT_TRUE(mute->GetCheck());
    Key(Qt::Key_M);
    EXPECT_FALSE(mute->GetCheck());

    auto* speed = Control<SkinSlider>(ControlId::SpeedSlider);
    Key(Qt::Key_BracketRight);
    EXPECT_EQ(speed->value(), 6);
    for (int i = 0; i < 9; ++i)
        Key(Qt::Key_BracketLeft);
    EXPECT_EQ(speed->value(), 1) << "stops at the slowest";

    Key(Qt::Key_End);
    EXPECT_GT(PositionMs(), 900);
    Key(Qt::Key_Home);
    EXPECT_LT(PositionMs(), 100);
    EXPECT_EQ(window->CurrentIndex(), 0) << "neither key leaves the recording while paused";
    EXPECT_EQ(State(), PlaybackGraph::Paused);

    // The wheel over the video sets the volume; each notch moves the slider a step.
    auto* volume = Control<SkinSlider>(ControlId::VolumeSlider);
    const int before = volume->value();
    const QPoint video = Control(ControlId::VideoWindow)->geometry().center();
    QWheelEvent wheel(video, window->mapToGlobal(video), {},
                      {0, -2 * QWheelEvent::DefaultDeltasPerStep}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(window.get(), &wheel);
    EXPECT_EQ(volume->value(), before - 2 * PlaybackCommands::VolumeStep);

    // `f` and a double-click on the video go full screen and back.
    Key(Qt::Key_F);
    EXPECT_EQ(window->DisplayMode(), MainWindowLayout::FullScreen);
    Key(Qt::Key_F);
    EXPECT_EQ(window->DisplayMode(), MainWindowLayout::Windowed);
    QTest::mouseDClick(window.get(), Qt::LeftButton, {}, video);
    EXPECT_EQ(window->DisplayMode(), MainWindowLayout::FullScreen);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(window->DisplayMode(), MainWindowLayout::Windowed);

    Key(Qt::Key_F1);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].startsWith("Keys\nSpace: play or pause")) << "the keys' help";
}

// `.` and `,` step one frame while paused, exactly, and stay on the recording at its first frame.
TEST_F(PlaybackWindow, PeriodAndCommaStepOneFrame) {
    DoubleClickRow(0);
    Key(Qt::Key_Space);
    ASSERT_EQ(State(), PlaybackGraph::Paused);
    auto shownFrame = [this] {
        QImage frame;
        return window->Player().GrabFrame(frame) ? FrameCode::Read(frame) : -1;
    };
    window->Player().SeekMs(500);
    const int start = shownFrame();
    ASSERT_GE(start, 0);
    Key(Qt::Key_Period);
    EXPECT_EQ(shownFrame(), start + 1);
    Key(Qt::Key_Comma);
    EXPECT_EQ(shownFrame(), start);
    Key(Qt::Key_Comma);
    EXPECT_EQ(shownFrame(), start - 1);
    Key(Qt::Key_Home);
    ASSERT_EQ(shownFrame(), 0);
    Key(Qt::Key_Comma);
    EXPECT_EQ(shownFrame(), 0);
    EXPECT_EQ(window->CurrentIndex(), 0) << "a step back to the first frame is no rewind";
    EXPECT_EQ(State(), PlaybackGraph::Paused);
}

TEST_F(PlaybackWindow, RewindingToTheStartWhilePausedSkipsOn) {
    DoubleClickRow(0);
    Key(Qt::Key_Space);
    ASSERT_EQ(State(), PlaybackGraph::Paused);
    window->Player().SeekMs(500);
    Key(Qt::Key_Left);
    EXPECT_EQ(window->CurrentIndex(), 1);
    EXPECT_EQ(State(), PlaybackGraph::Running);
}

TEST_F(PlaybackWindow, ARecordingGoneFromDiskIsReportedAndTheNextPlays) {
    const QString gone = List()->ItemText(1, ColumnPath);
    const QString kept = gone + ".kept";
    ASSERT_TRUE(QFile::rename(gone, kept));
    DoubleClickRow(1);
    QFile::rename(kept, gone);
    EXPECT_EQ(messages.texts, QStringList{"Can't play a file."});
    EXPECT_EQ(window->CurrentIndex(), 2);
    EXPECT_EQ(State(), PlaybackGraph::Running);
}

TEST_F(PlaybackWindow, ARecordingThatAnswersLateIsReportedWhenItDoes) {
    // A named pipe answers only once someone writes: the open cannot end before the test says.
    QTemporaryDir pipes;
    const QString slow = pipes.filePath("slow.AVI");
    ASSERT_EQ(mkfifo(QFile::encodeName(slow).constData(), 0600), 0);
    auto* playback = window->findChild<PlaybackCommands*>();
    EXPECT_FALSE(playback->OpenRecording(slow));
    EXPECT_TRUE(window->Player().Opening());
    QFile(slow).open(QIODevice::WriteOnly); // and closed at once: an empty file
    ASSERT_TRUE(QTest::qWaitFor([this] { return !messages.texts.isEmpty(); }, 10000));
    QFile::remove(slow);
    EXPECT_EQ(messages.texts, QStringList{"Can't play a file."});
    EXPECT_EQ(window->CurrentIndex(), 0) << "the next row, as after any failed open";
    EXPECT_EQ(State(), PlaybackGraph::Running);
}

TEST_F(PlaybackWindow, SpeedSliderFollowsTheRateTableOnlyWhileRunning) {
    DoubleClickRow(0);
    auto* speed = Control<SkinSlider>(ControlId::SpeedSlider);
    const struct {
        int position;
        float rate;
    } cases[] = {{1, 0.5f},  {2, 0.5f}, {3, 0.6f},  {4, 0.8f}, {5, 1.0f},
                 {6, 1.25f}, {7, 1.5f}, {8, 1.75f}, {9, 2.0f}};
    for (const auto& c : cases) {
        speed->setValue(c.position);
        emit speed->hScroll(ControlId::SpeedSlider, SliderCode::Dragging, c.position);
        EXPECT_FLOAT_EQ(window->Player().Graph()->Rate(), c.rate) << c.position;
    }
    Key(Qt::Key_Space);
    speed->setValue(3);
    emit speed->hScroll(ControlId::SpeedSlider, SliderCode::Dragging, 3);
    EXPECT_FLOAT_EQ(window->Player().Graph()->Rate(), 2.0f);
    Key(Qt::Key_Space); // resuming reads the slider
    EXPECT_FLOAT_EQ(window->Player().Graph()->Rate(), 0.6f);
}

TEST_F(PlaybackWindow, VolumeZeroMutesAndUnmutingKeepsTheSlider) {
    auto* volume = Control<SkinSlider>(ControlId::VolumeSlider);
    auto* mute = Control<SkinButton>(ControlId::Mute);
    volume->setValue(0);
    emit volume->hScroll(ControlId::VolumeSlider, SliderCode::Dragging, 0);
    EXPECT_TRUE(mute->GetCheck());
    volume->setValue(30);
    emit volume->hScroll(ControlId::VolumeSlider, SliderCode::Dragging, 30);
    EXPECT_FALSE(mute->GetCheck());
    QTest::mouseClick(mute, Qt::LeftButton);
    EXPECT_TRUE(mute->GetCheck());
    QTest::mouseClick(mute, Qt::LeftButton);
    EXPECT_FALSE(mute->GetCheck());
    EXPECT_EQ(volume->value(), 30);
}

TEST_F(PlaybackWindow, OpeningResetsSpeedAndBrightness) {
    Control<QAbstractSlider>(ControlId::SpeedSlider)->setValue(8);
    Control<QAbstractSlider>(ControlId::BrightnessSlider)->setValue(-100);
    DoubleClickRow(2);
    EXPECT_EQ(Control<QAbstractSlider>(ControlId::SpeedSlider)->value(), 5);
    EXPECT_EQ(Control<QAbstractSlider>(ControlId::BrightnessSlider)->value(), 0);
}

TEST_F(PlaybackWindow, KindButtonsFilterTheList) {
    QTest::mouseClick(Control(ControlId::KindEvent), Qt::LeftButton);
    ASSERT_EQ(List()->ItemCount(), 1);
    EXPECT_TRUE(List()->ItemText(0, ColumnName).contains("EVT"));
    EXPECT_TRUE(Control<SkinButton>(ControlId::KindEvent)->GetCheck());
    EXPECT_FALSE(Control<SkinButton>(ControlId::KindAll)->GetCheck());
    QTest::mouseClick(Control(ControlId::KindAll), Qt::LeftButton);
    EXPECT_EQ(List()->ItemCount(), 3);
}

TEST_F(PlaybackWindow, DraggingThePositionThumbSeeksAndTicksLeaveItAlone) {
    DoubleClickRow(0);
    Key(Qt::Key_Space);
    auto* position = Control<SkinSlider>(ControlId::PositionSlider);
    position->setSliderDown(true);
    position->setValue(600);
    emit position->hScroll(ControlId::PositionSlider, SliderCode::Dragging, 600);
    EXPECT_NEAR(PositionMs(), 600, 100);
    position->setValue(300);
    window->Player().SeekMs(500);
    Key(Qt::Key_Space);
    QTest::qWait(250); // a tick or more while running
    EXPECT_EQ(position->value(), 300);
    position->setSliderDown(false);
}

TEST_F(PlaybackWindow, ARecordingAfterTheCardCameBackIsSeen) {
    const QString root = window->LibraryRoot();
    window->OnDriveRemoved(root);
    EXPECT_FALSE(Control(ControlId::VideoWindow)->isVisible());
    drives.SetRemovableDrives({{root, {}}});
    AnswerModal<DriveDialog>(
        [](DriveDialog* dialog) { dialog->findChild<QPushButton*>("1")->click(); });
    QTest::mouseClick(Control(ControlId::KindAll), Qt::LeftButton);
    ASSERT_EQ(List()->ItemCount(), 3);
    DoubleClickRow(0);
    EXPECT_EQ(State(), PlaybackGraph::Running);
    EXPECT_TRUE(Control(ControlId::VideoWindow)->isVisible());
}

TEST_F(PlaybackWindow, LoadsTheTelemetryOfTheOpenedRecording) {
    DoubleClickRow(1);
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->Telemetry().SampleCount() == 10; }));
    int strongest = 0;
    for (const GSensorSample& sample : window->Telemetry().Samples())
        strongest = std::max(strongest, std::abs(sample.x));
    EXPECT_EQ(strongest, 120); // the Event recording's jolt, clamped
}

} // namespace
