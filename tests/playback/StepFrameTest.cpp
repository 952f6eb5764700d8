#include "tests/playback/EngineTestSupport.h"
#include "tests/playback/TestClips.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr int LastFrame = ClipMs / FrameMs - 1;

struct SteppedClip {
    QString path;
    int framesPerSecond;
};

qint64 FrameStart(const SteppedClip& clip, int frame) {
    return std::llround(double(frame) * MediaTime::UnitsPerSecond / clip.framesPerSecond);
}

bool StepAndWait(PlaybackEngine& player, int direction) {
    return player.StepFrame(direction) && WaitForShownPicture(*player.Graph(), 5000);
}

// Every step shows the neighbouring frame, across key frames and, with B-frames, across the
// pictures decoded before the key frame they are shown after, and where frame times fall between
// two 100-ns units; the clock stands at the frame's start.
TEST(StepFrame, WalksEveryFrameForwardAndBackAndStaysAtTheEnds) {
    const SteppedClip clips[] = {{Clips().avi, 10},          {Clips().mp4, 10},
                                 {Clips().aviBFrames, 10},   {Clips().mp4BFrames, 10},
                                 {Clips().aviThirtyFps, 30}, {Clips().mp4ThirtyFps, 30}};
    for (const SteppedClip& clip : clips) {
        SCOPED_TRACE(clip.path.toStdString());
        auto player = SilentPlayer();
        ASSERT_TRUE(player->Open(clip.path));
        player->Graph()->Pause();
        ASSERT_TRUE(StepAndWait(*player, -1));
        EXPECT_EQ(ShownFrame(*player), 0) << "the first frame stays";
        for (int frame = 1; frame <= LastFrame; ++frame) {
            ASSERT_TRUE(StepAndWait(*player, +1)) << frame;
            ASSERT_EQ(ShownFrame(*player), frame);
            EXPECT_NEAR(Position(*player), FrameStart(clip, frame), 1); // 100 ns of rounding
        }
        ASSERT_TRUE(StepAndWait(*player, +1));
        EXPECT_EQ(ShownFrame(*player), LastFrame) << "the last frame stays";
        for (int frame = LastFrame - 1; frame >= 0; --frame) {
            ASSERT_TRUE(StepAndWait(*player, -1)) << frame;
            ASSERT_EQ(ShownFrame(*player), frame);
            EXPECT_NEAR(Position(*player), FrameStart(clip, frame), 1); // 100 ns of rounding
        }
    }
}

// A step starts from the picture, wherever in its span the clock stands.
TEST(StepFrame, StartsFromTheShownPictureNotTheClock) {
    auto player = SilentPlayer();
    ASSERT_TRUE(player->Open(Clips().mp4BFrames));
    player->Graph()->Pause();
    ASSERT_TRUE(SeekAndWait(*player, 1990)); // frame 19, near its end
    ASSERT_TRUE(StepAndWait(*player, +1));
    EXPECT_EQ(ShownFrame(*player), 20);
    ASSERT_TRUE(SeekAndWait(*player, 1901)); // frame 19, near its start
    ASSERT_TRUE(StepAndWait(*player, -1));
    EXPECT_EQ(ShownFrame(*player), 18);
}

TEST(StepFrame, RefusedWhilePlayingOrWhileAPictureIsComing) {
    auto player = SilentPlayer();
    ASSERT_TRUE(player->Open(Clips().avi));
    EXPECT_FALSE(player->StepFrame(+1)) << "stopped";
    ASSERT_TRUE(player->Play());
    EXPECT_FALSE(player->StepFrame(+1)) << "running";
    player->Graph()->Pause();
    ASSERT_TRUE(SeekAndWait(*player, 1500));
    // The picture of a step shows only once the window's thread takes it: a second key press
    // before that must not step from the old picture.
    ASSERT_TRUE(player->StepFrame(+1));
    EXPECT_FALSE(player->StepFrame(+1));
    ASSERT_TRUE(WaitForShownPicture(*player->Graph(), 5000));
    EXPECT_EQ(ShownFrame(*player), 16);
    EXPECT_FALSE(player->StepFrame(2));
    EXPECT_EQ(ShownFrame(*player), 16);
}

} // namespace
