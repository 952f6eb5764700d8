#include "tests/playback/EngineTestSupport.h"
#include "tests/playback/TestClips.h"

#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Mean grey of the picture above its frame code.
double MeanGrey(const QImage& image) {
    double sum = 0;
    int count = 0;
    for (int y = 0; y < image.height() * 3 / 4; y += 2)
        for (int x = 0; x < image.width(); x += 2, ++count)
            sum += qGray(image.pixel(x, y));
    return sum / count;
}

QImage Grab(CDShowPlayer& player) {
    QImage frame;
    EXPECT_TRUE(player.GrabFrame(frame));
    return frame;
}

class Picture : public ::testing::Test {
protected:
    void SetUp() override {
        player_ = SilentPlayer();
        ASSERT_TRUE(player_->Open(Clips().avi));
        player_->Graph()->Pause();
        ASSERT_TRUE(SeekAndWait(*player_, 1530));
    }
    CDShowGraph& Graph() { return *player_->Graph(); }
    std::unique_ptr<CDShowPlayer> player_;
};

TEST_F(Picture, GrabGivesTheVideosOwnSize) {
    const QImage frame = Grab(*player_);
    EXPECT_EQ(frame.size(), QSize(192, 108));
    EXPECT_EQ(FrameCode::Read(frame), 15);
}

TEST_F(Picture, BrightnessShowsAtTheEndsOfTheRangeOnlyWhenSwitchedOn) {
    const double normal = MeanGrey(Grab(*player_));
    Graph().SetDecoderParam(CDShowGraph::ParamBrightness, 150);
    EXPECT_NEAR(MeanGrey(Grab(*player_)), normal, 2) << "202 alone does nothing";

    Graph().SetDecoderParam(CDShowGraph::ParamBrightnessOn, 1);
    EXPECT_GT(MeanGrey(Grab(*player_)), normal + 80);
    Graph().SetDecoderParam(CDShowGraph::ParamBrightness, -150);
    EXPECT_LT(MeanGrey(Grab(*player_)), normal - 60);
    Graph().SetDecoderParam(CDShowGraph::ParamBrightness, 0);
    EXPECT_NEAR(MeanGrey(Grab(*player_)), normal, 2);

    // the pictures made while playing carry it too
    Graph().SetDecoderParam(CDShowGraph::ParamBrightness, 150);
    ASSERT_TRUE(player_->Play());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Position(*player_) > 2000 * MediaTime::UnitsPerMs; }, 3000));
    EXPECT_GT(MeanGrey(Grab(*player_)), normal + 80);
}

TEST_F(Picture, TurnShowsThePictureUpsideDownAndBack) {
    const QImage normal = Grab(*player_);
    Graph().SetDecoderParam(CDShowGraph::ParamTurnOn, 1);
    Graph().SetDecoderParam(CDShowGraph::ParamTurned, 1);
    const QImage turned = Grab(*player_);
    EXPECT_NE(FrameCode::Read(turned), 15) << "the code is now at the top";
    EXPECT_EQ(turned.mirrored(true, true), normal) << "a grab while turned is turned too";

    Graph().SetDecoderParam(CDShowGraph::ParamTurned, 0);
    EXPECT_EQ(Grab(*player_), normal);
}

TEST_F(Picture, RepaintIntoStretchesThePictureAndDrawsBlackWithoutOne) {
    QImage canvas(384, 216, QImage::Format_RGB32);
    canvas.fill(Qt::red);
    {
        QPainter painter(&canvas);
        Graph().RepaintInto(painter, canvas.rect());
    }
    EXPECT_EQ(FrameCode::Read(canvas), 15);

    CDShowPlayer empty(nullptr);
    empty.Attach(QSize(192, 108));
    canvas.fill(Qt::red);
    {
        QPainter painter(&canvas);
        empty.Graph()->RepaintInto(painter, canvas.rect());
    }
    EXPECT_EQ(canvas.pixel(10, 10), qRgb(0, 0, 0));
}

TEST(VideoWindow, ThePlayerPaintsTheAttachedWindow) {
    QWidget window;
    window.resize(320, 180);
    CDShowPlayer player([] { return std::make_unique<NullAudioOutput>(); });
    player.Attach(&window);
    window.show();
    EXPECT_EQ(window.grab().toImage().pixel(5, 5), qRgb(0, 0, 0)) << "black before a file";

    ASSERT_TRUE(player.Open(Clips().mp4));
    player.Graph()->Pause();
    ASSERT_TRUE(SeekAndWait(player, 2210));
    player.Graph()->Repaint();
    EXPECT_EQ(FrameCode::Read(window.grab().toImage()), 22);

    window.resize(480, 270); // the window calls Repaint after every change of layout
    player.Graph()->Repaint();
    const QImage shown = window.grab().toImage();
    EXPECT_EQ(shown.size(), QSize(480, 270));
    EXPECT_EQ(FrameCode::Read(shown), 22);

    player.Close();
    EXPECT_EQ(window.grab().toImage().pixel(5, 5), qRgb(0, 0, 0)) << "black after Close";
}

} // namespace
