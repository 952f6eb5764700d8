#include "tests/playback/EngineTestSupport.h"
#include "tests/playback/TestClips.h"

#include <QProcess>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

int FrameAt(int ms) {
    return std::min(ms, ClipMs - 1) / FrameMs;
}

TEST(Seek, ShowsTheFrameAtOrJustBeforeTheTarget) {
    const int targets[] = {0,    1,    99,   100,  101,  950,  999,
                           1000, 1234, 2999, 3050, 3950, 3999, ClipMs};
    for (const QString& clip : {Clips().avi, Clips().mp4, Clips().aviBFrames, Clips().mp4BFrames}) {
        auto player = SilentPlayer();
        ASSERT_TRUE(player->Open(clip));
        EXPECT_EQ(ShownFrame(*player), 0) << "the first frame is shown after open";
        player->Graph()->Pause();
        for (int ms : targets) {
            ASSERT_TRUE(SeekAndWait(*player, ms)) << ms;
            EXPECT_EQ(ShownFrame(*player), FrameAt(ms)) << clip.toStdString() << " at " << ms;
            EXPECT_EQ(Position(*player), ms * MediaTime::UnitsPerMs);
        }
    }
}

// With B-frames the pictures shown just before a key frame are decoded before it: a seek there
// must start at the key frame before.
TEST(Seek, ReachesEveryFrameOfAClipWithBFrames) {
    for (const QString& clip : {Clips().aviBFrames, Clips().mp4BFrames}) {
        auto player = SilentPlayer();
        ASSERT_TRUE(player->Open(clip));
        player->Graph()->Pause();
        for (int frame = 0; frame < ClipMs / FrameMs; ++frame) {
            ASSERT_TRUE(SeekAndWait(*player, frame * FrameMs)) << frame;
            EXPECT_EQ(ShownFrame(*player), frame) << clip.toStdString();
        }
    }
}

// Half a second missing after frame 12, a B-frame no other refers to: a seek into the gap shows
// frame 12, though the pictures on the way to a target need not all be decoded.
TEST(Seek, ATargetInAGapOfTheTimesShowsTheFrameBeforeIt) {
    const QString clip = Clips().folder + "/gap.MP4";
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ffmpeg.start("ffmpeg", {"-hide_banner",
                            "-loglevel",
                            "error",
                            "-y",
                            "-i",
                            Clips().mp4,
                            "-an",
                            "-vf",
                            "setpts=PTS+gte(N\\,13)*0.5/TB",
                            "-fps_mode",
                            "passthrough",
                            "-c:v",
                            "libx264",
                            "-preset",
                            "fast",
                            "-bf",
                            "2",
                            "-g",
                            "10",
                            "-crf",
                            "12",
                            clip});
    ASSERT_TRUE(ffmpeg.waitForFinished(120000) && ffmpeg.exitCode() == 0);
    auto player = SilentPlayer();
    ASSERT_TRUE(player->Open(clip));
    player->Graph()->Pause();
    const struct {
        int ms;
        int frame;
    } cases[] = {{1250, 12}, {1500, 12}, {1799, 12}, {1800, 13}, {1100, 11}, {1950, 14}};
    for (const auto& test : cases) {
        ASSERT_TRUE(SeekAndWait(*player, test.ms)) << test.ms;
        EXPECT_EQ(ShownFrame(*player), test.frame) << "at " << test.ms;
    }
}

// Sound that outlasts the pictures by more than a second holds the length to the pictures; their
// last frames, shown after the last one decoded with B-frames, stay within it.
TEST(Seek, ReachesTheLastFrameWhenTheSoundOutlastsThePictures) {
    auto player = SilentPlayer();
    ASSERT_TRUE(player->Open(Clips().mp4ThirtyFpsLongerSound));
    player->Graph()->Pause();
    ASSERT_TRUE(SeekAndWait(*player, int(player->DurationMs()) - 1));
    EXPECT_EQ(ShownFrame(*player), ClipMs / FrameMs - 1);
}

TEST(Seek, WorksInEveryStateAndKeepsIt) {
    auto player = SilentPlayer();
    ASSERT_TRUE(player->Open(Clips().mp4));
    PlaybackGraph& graph = *player->Graph();

    ASSERT_TRUE(SeekAndWait(*player, 2150)); // stopped
    EXPECT_EQ(ShownFrame(*player), 21);
    EXPECT_EQ(graph.State(), PlaybackGraph::Stopped);

    graph.Pause();
    ASSERT_TRUE(SeekAndWait(*player, 1720));
    EXPECT_EQ(ShownFrame(*player), 17);
    EXPECT_EQ(graph.State(), PlaybackGraph::Paused);

    ASSERT_TRUE(player->Play());
    ASSERT_TRUE(SeekAndWait(*player, 630));
    EXPECT_EQ(ShownFrame(*player), 6);
    EXPECT_EQ(graph.State(), PlaybackGraph::Running);
    // and plays on from there
    ASSERT_TRUE(QTest::qWaitFor([&] { return ShownFrame(*player) >= 9; }, 3000));
}

TEST(Seek, PauseFromStoppedShowsTheFirstFrame) {
    auto player = SilentPlayer();
    ASSERT_TRUE(player->Open(Clips().avi));
    player->Graph()->Pause();
    EXPECT_FALSE(player->Graph()->FramePending());
    EXPECT_EQ(ShownFrame(*player), 0);
}

TEST(Seek, AStormOfSeeksAndRateChangesEndsOnTheLastTarget) {
    for (const QString& clip : {Clips().avi, Clips().mp4}) {
        auto player = SilentPlayer();
        ASSERT_TRUE(player->Open(clip));
        ASSERT_TRUE(player->Play());
        QRandomGenerator random(7);
        int last = 0;
        for (int i = 0; i < 300; ++i) {
            last = random.bounded(ClipMs);
            player->SeekMs(last);
            if (i % 7 == 0)
                player->SetRate(i % 2 ? 2.0f : 0.5f);
            if (i % 50 == 0)
                QTest::qWait(1);
        }
        player->Graph()->Pause();
        ASSERT_TRUE(WaitForShownPicture(*player->Graph(), 5000));
        EXPECT_EQ(ShownFrame(*player), FrameAt(last)) << clip.toStdString();
        EXPECT_EQ(Position(*player), last * MediaTime::UnitsPerMs);
    }
}

} // namespace
