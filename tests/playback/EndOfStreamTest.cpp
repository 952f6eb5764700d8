#include "tests/playback/EngineTestSupport.h"
#include "tests/playback/TestClips.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

struct EndCase {
    const char* name;
    QString clip;
    bool withDevice;
    int fromMs;
};

TEST(EndOfStream, ThePositionEqualsTheDurationAndTheGraphKeepsRunning) {
    const EndCase cases[] = {
        {"AVI with sound", Clips().avi, true, 3300},
        {"MP4 with sound", Clips().mp4, true, 3300},
        {"AVI without a sound device", Clips().avi, false, 3300},
        {"video only", Clips().videoOnly, true, 3300},
        {"cut-off file", Clips().truncated, true, 1500},
        {"sound starting late", Clips().lateSound, true, 3300},
        {"scrambled sound", Clips().noisySound, true, 2000},
    };
    for (const EndCase& c : cases) {
        auto player = c.withDevice ? SilentPlayer() : DeviceLessPlayer();
        ASSERT_TRUE(player->Open(c.clip)) << c.name;
        player->SeekMs(c.fromMs);
        ASSERT_TRUE(player->Play());
        ASSERT_TRUE(PlaysToTheEnd(*player, 5000)) << c.name;
        EXPECT_EQ(player->Graph()->State(), PlaybackGraph::Running) << c.name;
        QTest::qWait(100);
        EXPECT_EQ(Position(*player), Duration(*player)) << c.name << ": stays at the end";
    }
}

TEST(EndOfStream, PicturesBeforeLateSoundPlayInTime) {
    auto player = SilentPlayer();
    ASSERT_TRUE(player->Open(Clips().lateSound));
    ASSERT_TRUE(player->Play());
    QTest::qWait(700);
    EXPECT_LT(Position(*player), 1200 * MediaTime::UnitsPerMs)
        << "no jump to where the sound starts";
    EXPECT_GE(ShownFrame(*player), 3);
    ASSERT_TRUE(PlaysToTheEnd(*player, 6000));
}

TEST(EndOfStream, ThePositionNeverGoesBack) {
    auto player = SilentPlayer();
    ASSERT_TRUE(player->Open(Clips().mp4));
    player->SeekMs(2500);
    ASSERT_TRUE(player->Play());
    qint64 last = 0;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const qint64 now = Position(*player);
            EXPECT_GE(now, last);
            last = now;
            return now == Duration(*player);
        },
        5000));
}

} // namespace
