#include "playback/ui/VideoWindow.h"

#include "tests/playback/EngineTestSupport.h"
#include "tests/playback/TestClips.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(VideoWindow, ShowsThePlayersPictureFittedToItsSize) {
    QWidget window;
    PlaybackEngine player([] { return std::make_unique<NullAudioOutput>(); });
    auto* view = new VideoWindow(&window, 0xFFFF, QRect(0, 0, 320, 180), player);
    window.resize(480, 270);
    window.show();
    EXPECT_EQ(view->grab().toImage().pixel(5, 5), qRgb(0, 0, 0)) << "black before a file";

    ASSERT_TRUE(player.Open(Clips().mp4));
    player.Pause();
    ASSERT_TRUE(SeekAndWait(player, 2210));
    EXPECT_EQ(player.Graph()->Picture().size(), QSize(320, 180));
    EXPECT_EQ(FrameCode::Read(view->grab().toImage()), 22);

    view->resize(480, 270); // the window calls Repaint after every change of layout
    view->Repaint();
    const QImage shown = view->grab().toImage();
    EXPECT_EQ(shown.size(), QSize(480, 270));
    EXPECT_EQ(player.Graph()->Picture().size(), QSize(480, 270));
    EXPECT_EQ(FrameCode::Read(shown), 22);

    player.Close();
    EXPECT_EQ(view->grab().toImage().pixel(5, 5), qRgb(0, 0, 0)) << "black after Close";
}

} // namespace
