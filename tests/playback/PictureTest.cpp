#include "tests/playback/EngineTestSupport.h"
#include "tests/playback/TestClips.h"

#include <QPainter>
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

QImage Grab(PlaybackEngine& player) {
    QImage frame;
    EXPECT_TRUE(player.GrabFrame(frame));
    return frame;
}

class Picture : public ::testing::Test {
protected:
    void SetUp() override {
        m_player = SilentPlayer();
        ASSERT_TRUE(m_player->Open(Clips().avi));
        m_player->Graph()->Pause();
        ASSERT_TRUE(SeekAndWait(*m_player, 1530));
    }
    PlaybackGraph& Graph() { return *m_player->Graph(); }
    std::unique_ptr<PlaybackEngine> m_player;
};

TEST_F(Picture, GrabGivesTheVideosOwnSize) {
    const QImage frame = Grab(*m_player);
    EXPECT_EQ(frame.size(), QSize(192, 108));
    EXPECT_EQ(FrameCode::Read(frame), 15);
}

TEST_F(Picture, BrightnessShowsAtTheEndsOfTheRangeOnlyWhenSwitchedOn) {
    const double normal = MeanGrey(Grab(*m_player));
    Graph().SetDecoderParam(PlaybackGraph::ParamBrightness, 150);
    EXPECT_NEAR(MeanGrey(Grab(*m_player)), normal, 2) << "202 alone does nothing";

    Graph().SetDecoderParam(PlaybackGraph::ParamBrightnessOn, 1);
    EXPECT_GT(MeanGrey(Grab(*m_player)), normal + 80);
    Graph().SetDecoderParam(PlaybackGraph::ParamBrightness, -150);
    EXPECT_LT(MeanGrey(Grab(*m_player)), normal - 60);
    Graph().SetDecoderParam(PlaybackGraph::ParamBrightness, 0);
    EXPECT_NEAR(MeanGrey(Grab(*m_player)), normal, 2);

    // the pictures made while playing carry it too
    Graph().SetDecoderParam(PlaybackGraph::ParamBrightness, 150);
    ASSERT_TRUE(m_player->Play());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Position(*m_player) > 2000 * MediaTime::UnitsPerMs; }, 3000));
    EXPECT_GT(MeanGrey(Grab(*m_player)), normal + 80);
}

TEST_F(Picture, TurnShowsThePictureUpsideDownAndBack) {
    const QImage normal = Grab(*m_player);
    Graph().SetDecoderParam(PlaybackGraph::ParamTurnOn, 1);
    Graph().SetDecoderParam(PlaybackGraph::ParamTurned, 1);
    const QImage turned = Grab(*m_player);
    EXPECT_NE(FrameCode::Read(turned), 15) << "the code is now at the top";
    EXPECT_EQ(turned.mirrored(true, true), normal) << "a grab while turned is turned too";

    Graph().SetDecoderParam(PlaybackGraph::ParamTurned, 0);
    EXPECT_EQ(Grab(*m_player), normal);
}

TEST_F(Picture, RepaintIntoStretchesThePictureAndDrawsBlackWithoutOne) {
    QImage canvas(384, 216, QImage::Format_RGB32);
    canvas.fill(Qt::red);
    {
        QPainter painter(&canvas);
        Graph().RepaintInto(painter, canvas.rect());
    }
    EXPECT_EQ(FrameCode::Read(canvas), 15);

    PlaybackEngine empty(nullptr);
    empty.Attach(QSize(192, 108));
    canvas.fill(Qt::red);
    {
        QPainter painter(&canvas);
        empty.Graph()->RepaintInto(painter, canvas.rect());
    }
    EXPECT_EQ(canvas.pixel(10, 10), qRgb(0, 0, 0));
}

} // namespace
