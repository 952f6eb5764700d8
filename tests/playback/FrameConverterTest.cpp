#include "playback/FrameConverter.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavutil/frame.h>
}

namespace {

constexpr int Width = 640;
constexpr int Height = 360;
constexpr int Columns = 4;
constexpr int Rows = 2;

struct Yuv {
    quint8 y, u, v;
};
// White, black, red, green, blue, yellow, grey and a dark cyan.
constexpr Yuv Blocks[Rows][Columns] = {
    {{235, 128, 128}, {16, 128, 128}, {81, 90, 240}, {145, 54, 34}},
    {{41, 240, 110}, {210, 16, 146}, {126, 128, 128}, {70, 150, 80}}};

// A frame of eight flat blocks, four across and two down.
std::unique_ptr<AVFrame, void (*)(AVFrame*)> BlockFrame(AVPixelFormat format) {
    std::unique_ptr<AVFrame, void (*)(AVFrame*)> frame(av_frame_alloc(),
                                                       [](AVFrame* f) { av_frame_free(&f); });
    frame->width = Width;
    frame->height = Height;
    frame->format = format;
    frame->color_range = format == AV_PIX_FMT_YUVJ420P ? AVCOL_RANGE_JPEG : AVCOL_RANGE_MPEG;
    EXPECT_EQ(av_frame_get_buffer(frame.get(), 0), 0);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const Yuv& block = Blocks[y * Rows / Height][x * Columns / Width];
            frame->data[0][y * frame->linesize[0] + x] = block.y;
            frame->data[1][y / 2 * frame->linesize[1] + x / 2] = block.u;
            frame->data[2][y / 2 * frame->linesize[2] + x / 2] = block.v;
        }
    return frame;
}

// The colour at the middle of each block.
QList<QRgb> BlockColours(const QImage& picture) {
    QList<QRgb> colours;
    for (int row = 0; row < Rows; ++row)
        for (int column = 0; column < Columns; ++column)
            colours << picture.pixel((2 * column + 1) * picture.width() / (2 * Columns),
                                     (2 * row + 1) * picture.height() / (2 * Rows));
    return colours;
}

bool Near(QRgb a, QRgb b) {
    constexpr int Tolerance = 4;
    return std::abs(qRed(a) - qRed(b)) <= Tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= Tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= Tolerance;
}

} // namespace

// A shrunk picture shows the colours an enlarged one shows, in both luma ranges, to its last row
// and column, also at odd sizes; and brightness shows in it, also when the same converter made
// pictures of another size before.
TEST(FrameConverter, AShrunkPictureKeepsColoursEdgesAndBrightness) {
    for (const AVPixelFormat format : {AV_PIX_FMT_YUV420P, AV_PIX_FMT_YUVJ420P}) {
        SCOPED_TRACE(testing::Message() << "format " << format);
        const auto frame = BlockFrame(format);
        FrameConverter converter;
        const QSize shrunkSize(229, 129);
        const QList<QRgb> expected = BlockColours(converter.Convert(frame.get(), {642, 362}, {}));
        const QImage shrunk = converter.Convert(frame.get(), shrunkSize, {});
        ASSERT_EQ(shrunk.size(), shrunkSize);
        const QList<QRgb> shown = BlockColours(shrunk);
        for (int block = 0; block < expected.size(); ++block)
            EXPECT_TRUE(Near(shown[block], expected[block]))
                << "block " << block << ": " << std::hex << shown[block] << " against "
                << expected[block];
        // The bottom right corner is the dark cyan block's, the top right the green one's.
        EXPECT_TRUE(Near(shrunk.pixel(228, 128), expected[7]))
            << std::hex << shrunk.pixel(228, 128);
        EXPECT_TRUE(Near(shrunk.pixel(228, 0), expected[3])) << std::hex << shrunk.pixel(228, 0);

        const PictureLook brighter{100, false};
        converter.Convert(frame.get(), {642, 362}, brighter);
        const QList<QRgb> brightened =
            BlockColours(converter.Convert(frame.get(), shrunkSize, brighter));
        for (const int block : {1, 6}) // black and grey
            EXPECT_GE(qGray(brightened[block]), std::min(250, qGray(shown[block]) + 60))
                << "block " << block << ": " << std::hex << brightened[block];
    }
}
