#include "skin/BitmapIds.h"
#include "skin/SkinBitmaps.h"
#include "telemetry/display/GSensorGraph.h"
#include "telemetry/display/SpeedReadout.h"
#include "telemetry/ui/GSensorGraphView.h"
#include "telemetry/ui/MapView.h"
#include "telemetry/ui/SpeedDigitsView.h"
#include "tests/app/CardWindowFixture.h"
#include "tests/support/MessageBoxes.h"

namespace {

// Three recordings of two seconds; the second has no .gps file. The map page is never loaded
// here (no connection): its own test drives the browser.
class MapWindow : public CardWindowFixture {
protected:
    MapWindow()
        : CardWindowFixture({.card = CardWindowSetup::CopyOfMadeCard, .perDay = 3, .seconds = 2}) {}

    void SetUp() override {
        QDir recordings(CardRoot() + "Recordings");
        const QStringList gps = recordings.entryList({"*.gps"}, QDir::Files, QDir::Name);
        ASSERT_EQ(gps.size(), 3);
        ASSERT_TRUE(QFile::remove(recordings.filePath(gps[1])));
        CardWindowFixture::SetUp();
    }

    GSensorGraphView* Graph() const { return window->findChild<GSensorGraphView*>(); }
    SpeedDigitsView* Speed() const { return window->findChild<SpeedDigitsView*>(); }
    // Opens a row, paused, with its telemetry loaded.
    void OpenPaused(int row) {
        DoubleClickRow(row);
        Click(ControlId::PlayPause);
        ASSERT_EQ(State(), PlaybackGraph::Paused);
        // The telemetry is loaded by a queued call.
        QCoreApplication::processEvents();
    }

    struct Layout {
        int state;
        QRect list, map, enlarge, pane;
        QPoint speed;
    };
    void ExpectLayout(const Layout& expected) {
        EXPECT_EQ(window->MapViewState(), expected.state);
        EXPECT_EQ(Control(ControlId::MapView)->geometry(), expected.map) << expected.state;
        EXPECT_EQ(Control(ControlId::MapEnlarge)->geometry(), expected.enlarge) << expected.state;
        EXPECT_TRUE(Control(ControlId::MapEnlarge)->isVisible());
        const bool enlarged = expected.state == 8;
        EXPECT_EQ(List()->isVisible(), !enlarged);
        EXPECT_EQ(Control(ControlId::MapClose)->isVisible(), !enlarged);
        // Over the enlarged map too: the road and the car's place at once.
        for (int id : {ControlId::VideoWindow, ControlId::PlayPause, ControlId::PositionSlider,
                       ControlId::ElapsedTime})
            EXPECT_TRUE(Control(id)->isVisible()) << expected.state << " " << id;
        EXPECT_TRUE(Control(ControlId::Close)->isVisible());
        EXPECT_EQ(Graph()->isVisible(), !enlarged);
        EXPECT_EQ(Speed()->isVisible(), !enlarged);
        QWidget* video = Control(ControlId::VideoWindow);
        if (enlarged) {
            EXPECT_TRUE(expected.map.contains(video->geometry()));
            EXPECT_GE(video->width(), 320);
            EXPECT_GE(video->height(), 180);
            const QObjectList stack = window->children();
            for (int id : {ControlId::VideoWindow, ControlId::PlayPause, ControlId::PositionSlider})
                EXPECT_GT(stack.indexOf(Control(id)), stack.indexOf(Control(ControlId::MapView)))
                    << id << " is under the map";
            return;
        }
        EXPECT_EQ(video->geometry(), QRect(3, 78, 688, 387));
        EXPECT_EQ(List()->geometry(), expected.list) << expected.state;
        EXPECT_EQ(Control(ControlId::MapClose)->geometry(), expected.pane) << expected.state;
        EXPECT_EQ(Speed()->pos(), expected.speed) << expected.state;
    }

    static inline const Layout Hidden{
        0, {695, 126, 308, 508}, {0, 0, 0, 0}, {937, 639, 36, 22}, {973, 639, 37, 22}, {865, 641}};
    // Without a connection the pane shows the window's background where the map would be.
    static inline const Layout Pane{
        4,         {695, 126, 308, 310}, {676, 71, 0, 0}, {937, 441, 36, 22}, {973, 441, 37, 22},
        {865, 443}};
    static inline const Layout Enlarged{8, {}, {2, 48, 1017, 615}, {897, 12, 37, 28}, {}, {}};
};

TEST_F(MapWindow, ButtonsWalkThePaneAndTheEnlargedMap) {
    ExpectLayout(Hidden);
    OpenPaused(0);
    Click(ControlId::MapClose);
    ExpectLayout(Pane);
    Click(ControlId::MapEnlarge);
    ExpectLayout(Enlarged);
    EXPECT_EQ(Control(ControlId::MapEnlarge)->toolTip(), "");
    // Play/pause over the map runs the player.
    Click(ControlId::PlayPause);
    EXPECT_EQ(State(), PlaybackGraph::Running);
    Click(ControlId::PlayPause);
    Click(ControlId::MapEnlarge);
    ExpectLayout(Pane);
    Click(ControlId::MapClose);
    ExpectLayout(Hidden);
    // From the hidden map straight to the enlarged one and back to the pane.
    Click(ControlId::MapEnlarge);
    ExpectLayout(Enlarged);
    Click(ControlId::MapEnlarge);
    ExpectLayout(Pane);
}

TEST_F(MapWindow, ButtonsRefuseARecordingWithoutFixes) {
    OpenPaused(1);
    MessageBoxes messages;
    for (int button : {ControlId::MapClose, ControlId::MapEnlarge}) {
        Click(button);
        ExpectLayout(Hidden);
    }
    EXPECT_EQ(messages.texts, QStringList({"Detected no GPS files.", "Detected no GPS files."}));
}

TEST_F(MapWindow, ARecordingWithoutFixesClosesTheEnlargedMap) {
    OpenPaused(0);
    Click(ControlId::MapEnlarge);
    ExpectLayout(Enlarged);
    // The end of the recording moves on to the next row, which has no fixes.
    QTest::keyClick(window.get(), Qt::Key_Space);
    window->Player().SeekMs(1900);
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->CurrentIndex() == 1; }, 10000));
    QCoreApplication::processEvents();
    ExpectLayout(Hidden);
}

TEST_F(MapWindow, StoppingPlaybackClosesThePane) {
    OpenPaused(2);
    Click(ControlId::MapClose);
    ExpectLayout(Pane);
    Click(ControlId::Next);
    ASSERT_EQ(window->CurrentIndex(), -1);
    ExpectLayout(Hidden);
    EXPECT_EQ(Speed()->Text(), "");
    EXPECT_EQ(Graph()->CursorX(), -1);
}

TEST_F(MapWindow, GraphAndSpeedFollowThePosition) {
    OpenPaused(0);
    const RecordingTelemetry& telemetry = window->Telemetry();
    ASSERT_GT(telemetry.SampleCount(), 0);
    ASSERT_GT(telemetry.FixCount(), 0);
    EXPECT_EQ(Graph()->geometry(), QRect(41, 531, 370, 114));
    const qint64 duration = window->Player().DurationMs();
    EXPECT_EQ(Graph()->Graph(),
              GSensorGraph::Draw(SkinImage(BitmapId::GSensorGraph), telemetry.Samples(), duration));
    // A click on the graph plays from the time under the pointer.
    QTest::mouseClick(Graph(), Qt::LeftButton, {}, QPoint(100, 50));
    const qint64 picked = GSensorGraph::PositionAtX(100, duration);
    EXPECT_EQ(Control<QAbstractSlider>(ControlId::PositionSlider)->value(), picked);
    EXPECT_EQ(Graph()->CursorX(), GSensorGraph::CursorX(picked, duration));
    EXPECT_EQ(Speed()->Text(),
              SpeedReadout::SpeedText(*SpeedReadout::SpeedAt(telemetry, quint32(picked))));
    EXPECT_EQ(Speed()->pos(), QPoint(865, 641));
    EXPECT_TRUE(Speed()->isVisible());
}

} // namespace
