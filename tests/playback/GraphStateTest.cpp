#include "playback/FilterCheck.h"
#include "tests/playback/EngineTestSupport.h"
#include "tests/playback/TestClips.h"

#include <gtest/gtest.h>

namespace {

TEST(GraphState, FollowsTheStateTable) {
    auto player = SilentPlayer();
    ASSERT_TRUE(player->Open(Clips().mp4));
    PlaybackGraph& graph = *player->Graph();
    EXPECT_EQ(graph.State(), PlaybackGraph::Stopped);
    EXPECT_EQ(graph.Stop(), PlaybackResult::WrongState);
    EXPECT_EQ(graph.State(), PlaybackGraph::Stopped);

    EXPECT_TRUE(player->Play());
    EXPECT_EQ(graph.State(), PlaybackGraph::Running);
    EXPECT_FALSE(player->Play()) << "Play while running";
    EXPECT_EQ(graph.Run(), PlaybackResult::WrongState);
    EXPECT_EQ(graph.State(), PlaybackGraph::Running);

    EXPECT_EQ(graph.Pause(), PlaybackResult::Done);
    EXPECT_EQ(graph.State(), PlaybackGraph::Paused);
    EXPECT_EQ(graph.Stop(), PlaybackResult::Done);
    EXPECT_EQ(graph.State(), PlaybackGraph::Stopped);
    EXPECT_EQ(graph.Pause(), PlaybackResult::Done);
    EXPECT_EQ(graph.State(), PlaybackGraph::Paused);

    player->Close();
    EXPECT_EQ(player->Graph(), nullptr);
    EXPECT_EQ(player->DurationMs(), 0);
}

TEST(GraphState, AFreshGraphIsEmptyAndRefusesToRunOrStop) {
    auto player = SilentPlayer();
    ASSERT_NE(player->Graph(), nullptr) << "Attach makes an empty graph";
    EXPECT_EQ(player->CheckFilters(), FilterCheck::AllPresent);
    PlaybackGraph& graph = *player->Graph();
    EXPECT_EQ(graph.State(), PlaybackGraph::Empty);
    EXPECT_EQ(graph.Run(), PlaybackResult::WrongState);
    EXPECT_EQ(graph.Stop(), PlaybackResult::WrongState);
    EXPECT_EQ(graph.State(), PlaybackGraph::Empty);
    EXPECT_TRUE(player->SeekMs(1000)) << "seeking an empty graph does nothing, successfully";
    EXPECT_EQ(player->DurationMs(), 0);
    QImage frame;
    EXPECT_FALSE(player->GrabFrame(frame));
}

TEST(GraphState, OpenNeedsAVideoWindowAndAPath) {
    PlaybackEngine unattached([] { return std::make_unique<NullAudioOutput>(); });
    EXPECT_FALSE(unattached.Open(Clips().avi));
    auto player = SilentPlayer();
    EXPECT_FALSE(player->Open(QString()));
}

TEST(GraphState, CheckFiltersReportsTheFirstMissingPiece) {
    struct Case {
        PlaybackPieces pieces;
        int result;
    };
    const Case cases[] = {
        {{true, true, true}, FilterCheck::AllPresent},
        {{false, true, true}, FilterCheck::NoH264Decoder},
        {{false, false, false}, FilterCheck::NoH264Decoder},
        {{true, false, true}, FilterCheck::NoMp4Demuxer},
        {{true, false, false}, FilterCheck::NoMp4Demuxer},
        {{true, true, false}, FilterCheck::NoBrightness},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckPlaybackPieces(c.pieces), c.result);
    EXPECT_EQ(CheckPlaybackPieces(ProbePlaybackPieces()), FilterCheck::AllPresent);
}

TEST(GraphState, RunClampsTheRateAndKeepsOneExactly) {
    const std::pair<float, float> cases[] = {
        {0.2f, 0.5f},   {0.4f, 0.5f}, {0.6f, 0.6f}, {1.0f, 1.0f},
        {1.75f, 1.75f}, {2.0f, 2.0f}, {3.0f, 2.0f},
    };
    auto player = SilentPlayer();
    ASSERT_TRUE(player->Open(Clips().mp4));
    for (const auto& [asked, runs] : cases) {
        ASSERT_TRUE(player->SetRate(asked)); // stored while paused
        EXPECT_EQ(player->Graph()->Rate(), asked);
        ASSERT_TRUE(player->Play());
        EXPECT_EQ(player->Graph()->Rate(), runs) << asked;
        ASSERT_TRUE(player->SetRate(asked)); // applied at once while running
        EXPECT_EQ(player->Graph()->State(), PlaybackGraph::Running);
        EXPECT_EQ(player->Graph()->Rate(), runs) << asked;
        player->Graph()->Pause();
    }
    player->Close();
    EXPECT_FALSE(player->SetRate(1.0f)) << "no graph";
}

TEST(GraphState, ThePositionMovesAtTheRateWithAndWithoutSound) {
    for (bool withSound : {true, false}) {
        for (float rate : {0.5f, 2.0f}) {
            auto player = withSound ? SilentPlayer() : DeviceLessPlayer();
            ASSERT_TRUE(player->Open(Clips().avi));
            player->Graph()->SetRate(rate);
            ASSERT_TRUE(player->Play());
            // Once the clock runs, 600 ms of real time are 600 * rate of the recording.
            ASSERT_TRUE(QTest::qWaitFor([&] { return Position(*player) > 0; }, 2000));
            const qint64 start = Position(*player);
            QElapsedTimer timer;
            timer.start();
            QTest::qWait(600);
            const double played = double(Position(*player) - start) / MediaTime::UnitsPerMs;
            const double expected = timer.elapsed() * rate;
            EXPECT_NEAR(played, expected, 150 * rate) << "sound " << withSound << " rate " << rate;
        }
    }
}

TEST(GraphState, StepsStopAtTheBounds) {
    auto player = SilentPlayer();
    ASSERT_TRUE(player->Open(Clips().avi));
    EXPECT_FALSE(player->StepBack(1.0)) << "only while running or paused";
    EXPECT_FALSE(player->StepForward(1.0));
    player->Graph()->Pause();

    ASSERT_TRUE(SeekAndWait(*player, 400));
    EXPECT_TRUE(player->StepBack(1.0));
    EXPECT_EQ(Position(*player), 0);

    ASSERT_TRUE(SeekAndWait(*player, ClipMs - 500));
    EXPECT_TRUE(player->StepForward(1.0));
    EXPECT_EQ(Position(*player), Duration(*player));

    ASSERT_TRUE(SeekAndWait(*player, 1500));
    EXPECT_TRUE(player->StepForward(1.0));
    EXPECT_EQ(Position(*player), 2500 * MediaTime::UnitsPerMs);
    EXPECT_TRUE(player->StepBack(1.0));
    EXPECT_EQ(Position(*player), 1500 * MediaTime::UnitsPerMs);
}

TEST(GraphState, RunAtTheVeryEndStartsAgainAndJustBeforeItGoesOn) {
    auto player = SilentPlayer();
    ASSERT_TRUE(player->Open(Clips().mp4));
    PlaybackGraph& graph = *player->Graph();
    const qint64 duration = Duration(*player);
    graph.Pause();

    ASSERT_EQ(graph.SetCurrentPosition(duration - 1), PlaybackResult::Done);
    ASSERT_EQ(graph.Run(), PlaybackResult::Done);
    EXPECT_GE(Position(*player), duration - 1);
    graph.Pause();

    ASSERT_EQ(graph.SetCurrentPosition(duration), PlaybackResult::Done);
    ASSERT_EQ(Position(*player), duration);
    ASSERT_EQ(graph.Run(), PlaybackResult::Done);
    EXPECT_LT(Position(*player), 500 * MediaTime::UnitsPerMs);
}

TEST(GraphState, DurationMsIsTruncated) {
    auto player = SilentPlayer();
    ASSERT_TRUE(player->Open(Clips().oddLength));
    EXPECT_EQ(Duration(*player), 30007920) << "3.000792 s";
    EXPECT_EQ(player->DurationMs(), 3000);
}

TEST(GraphState, TheDemuxerFollowsTheLastThreeCharactersOfTheName) {
    struct Case {
        QString source;
        const char* name;
        bool opens;
    };
    const Case cases[] = {
        {Clips().mp4, "a.MP4", true},  {Clips().mp4, "b.mp4", true},  {Clips().mp4, "c.Mp4", true},
        {Clips().mp4, "dmp4", true},   {Clips().mp4, "e.avi", false}, {Clips().mp4, "f", false},
        {Clips().avi, "g.avi", true},  {Clips().avi, "clip", true},   {Clips().avi, "h.mov", true},
        {Clips().avi, "i.mp4", false},
    };
    auto player = DeviceLessPlayer();
    for (const Case& c : cases)
        EXPECT_EQ(player->Open(CopyClip(c.source, c.name)), c.opens) << c.name;
}

} // namespace
