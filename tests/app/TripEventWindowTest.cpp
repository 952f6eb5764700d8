#include "app/TripEventCommands.h"
#include "skin/SkinLabel.h"
#include "telemetry/display/GSensorGraph.h"
#include "telemetry/ui/GSensorGraphView.h"
#include "tests/app/CardWindowFixture.h"
#include "tests/telemetry/InjectedDrive.h"

#include <QMenu>
#include <QSettings>
#include <QTimer>

namespace {

using InjectedDrive::Injected;

// Three recordings of four seconds; the first holds an impact, the last a turn.
class TripEventWindow : public CardWindowFixture {
protected:
    TripEventWindow()
        : CardWindowFixture({.card = CardWindowSetup::CopyOfMadeCard, .perDay = 3, .seconds = 4}) {}

    void SetUp() override {
        QDir recordings(CardRoot() + "Recordings");
        const QStringList gsf = recordings.entryList({"*.gsf"}, QDir::Files, QDir::Name);
        ASSERT_EQ(gsf.size(), 3);
        const QList<Injected> injected[] = {{{DrivingEventKind::Impact, 1500, 200, 80}},
                                            {},
                                            {{DrivingEventKind::Turn, 2500, 900, 50}}};
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(InjectedDrive::WriteFile(
                recordings.filePath(gsf[i]),
                InjectedDrive::GsfBytes(InjectedDrive::Samples(4, injected[i]))));
        // Every test starts from the usual events, whatever an earlier run chose.
        QSettings("karvenna", "karvenna").remove("events/sensitivity");
        CardWindowFixture::SetUp();
        events = window->findChild<TripEventCommands*>();
        ASSERT_TRUE(QTest::qWaitFor([this] { return events->Scan().recordings.size() == 3; }));
    }

    GSensorGraphView* Graph() const { return window->findChild<GSensorGraphView*>(); }
    qint64 Position() const { return window->Player().PositionMs(); }
    void Key(Qt::Key key) {
        QTest::keyClick(window.get(), key);
        // The graph takes the marks with the queued opening of the telemetry.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    TripEventCommands* events = nullptr;
};

TEST_F(TripEventWindow, TheListTheGraphAndTheKeysFindTheCardsEvents) {
    EXPECT_TRUE(List()->HoldsDrivingEvent(0));
    EXPECT_FALSE(List()->HoldsDrivingEvent(1));
    EXPECT_TRUE(List()->HoldsDrivingEvent(2));
    EXPECT_EQ(events->Status()->text(), "Events: 2 (n / p)");

    // n from nothing playing: the first event, from two seconds before it (the start here).
    Key(Qt::Key_N);
    EXPECT_EQ(window->CurrentIndex(), 0);
    EXPECT_LT(Position(), 1000);
    const qint64 length = window->Player().DurationMs();
    ASSERT_EQ(Graph()->EventMarkColumns().size(), 1);
    EXPECT_NEAR(Graph()->EventMarkColumns()[0], GSensorGraph::CursorX(1500, length), 2);

    Key(Qt::Key_N);
    EXPECT_EQ(window->CurrentIndex(), 2);
    EXPECT_GE(Position(), 500 - 100);
    EXPECT_LT(Position(), 2500);
    ASSERT_EQ(Graph()->EventMarkColumns().size(), 1);
    EXPECT_NEAR(Graph()->EventMarkColumns()[0], GSensorGraph::CursorX(2500, length), 2);
    // Past the last event n does nothing; p goes back to the one before.
    Key(Qt::Key_N);
    EXPECT_EQ(window->CurrentIndex(), 2);
    Key(Qt::Key_P);
    EXPECT_EQ(window->CurrentIndex(), 0);
    EXPECT_LT(Position(), 1000);

    // Only the listed recordings' events: with the first filtered out, p finds none before.
    Click(ControlId::KindMotion);
    ASSERT_EQ(List()->ItemCount(), 1);
    ASSERT_TRUE(List()->HoldsDrivingEvent(0)) << "the marks outlive the filter";

    // A card pulled out takes its events with it.
    window->OnDriveRemoved(window->LibraryRoot());
    EXPECT_EQ(events->Status()->text(), "");
    EXPECT_TRUE(events->Scan().recordings.isEmpty());
}

// The count opens the choice of how strong an event must be: fewer leaves the turn (50) out and
// keeps the knock (80); the choice is kept for the next start.
TEST_F(TripEventWindow, TheCountChoosesHowStrongAnEventMustBe) {
    ASSERT_EQ(events->CurrentSensitivity(), TripEventCommands::Sensitivity::Usual);
    // What a click there meets: the count, not the window behind it.
    ASSERT_EQ(window->childAt(events->Status()->geometry().center()), events->Status());
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->actions().size(), 3);
        EXPECT_TRUE(menu->actions()[1]->isChecked());
        menu->actions()[2]->trigger();
        menu->close();
    });
    QTest::mousePress(events->Status(), Qt::LeftButton);
    EXPECT_EQ(events->CurrentSensitivity(), TripEventCommands::Sensitivity::Fewer);
    EXPECT_EQ(QSettings("karvenna", "karvenna").value("events/sensitivity").toString(), "fewer");
    ASSERT_TRUE(QTest::qWaitFor([this] { return events->Scan().recordings.size() == 3; }));
    EXPECT_EQ(events->Status()->text(), "Events: 1 (n / p)");
    EXPECT_TRUE(List()->HoldsDrivingEvent(0));
    EXPECT_FALSE(List()->HoldsDrivingEvent(2));

    events->SetSensitivity(TripEventCommands::Sensitivity::Usual);
    ASSERT_TRUE(QTest::qWaitFor([this] { return events->Scan().recordings.size() == 3; }));
    EXPECT_EQ(events->Status()->text(), "Events: 2 (n / p)");
}

} // namespace

TEST_F(TripEventWindow, TheMapShowsTheWholeTripAndAClickPlaysTheRecordingThatHoldsThePoint) {
    // The made card's day: one recording alone, then two back to back.
    EXPECT_TRUE(events->TripTrackOf(Path(0)).pieces.isEmpty());
    const TripEventCommands::TripTrack first = events->TripTrackOf(Path(1));
    const TripEventCommands::TripTrack second = events->TripTrackOf(Path(2));
    ASSERT_EQ(first.pieces.size(), 2);
    EXPECT_EQ(first.current, 0);
    EXPECT_EQ(second.current, 1);
    EXPECT_EQ(second.pieces, first.pieces);
    EXPECT_EQ(first.pieces[0].startMs, 0);
    EXPECT_GE(first.pieces[1].startMs, 4000);

    DoubleClickRow(1);
    events->OnTrackClicked(first.pieces[1].startMs + 1500);
    EXPECT_EQ(window->CurrentIndex(), 2);
    EXPECT_GE(Position(), 1400);
    EXPECT_LT(Position(), 2500);
    // Within the playing recording's piece only the position moves.
    events->OnTrackClicked(first.pieces[1].startMs + 500);
    EXPECT_EQ(window->CurrentIndex(), 2);
    EXPECT_LT(Position(), 1400);
}
