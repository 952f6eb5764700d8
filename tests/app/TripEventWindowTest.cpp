#include "app/DrivingEventCommands.h"
#include "skin/SkinLabel.h"
#include "telemetry/display/GSensorGraph.h"
#include "telemetry/ui/GSensorGraphView.h"
#include "tests/app/CardWindowFixture.h"
#include "tests/telemetry/InjectedDrive.h"

namespace {

using InjectedDrive::Injected;

// Three recordings of four seconds; the first holds an impact, the last a turn.
class DrivingEventWindow : public CardWindowFixture {
protected:
    DrivingEventWindow()
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
        CardWindowFixture::SetUp();
        events = window->findChild<DrivingEventCommands*>();
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

    DrivingEventCommands* events = nullptr;
};

TEST_F(DrivingEventWindow, TheListTheGraphAndTheKeysFindTheCardsEvents) {
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
}

} // namespace
