#include "playback/FrameConverter.h"

#include <cstring>
#include <gtest/gtest.h>

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixdesc.h>
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

// A frame of one colour.
std::unique_ptr<AVFrame, void (*)(AVFrame*)> FlatFrame(AVPixelFormat format, Yuv colour) {
    std::unique_ptr<AVFrame, void (*)(AVFrame*)> frame(av_frame_alloc(),
                                                       [](AVFrame* f) { av_frame_free(&f); });
    frame->width = Width;
    frame->height = Height;
    frame->format = format;
    EXPECT_EQ(av_frame_get_buffer(frame.get(), 0), 0);
    const int chromaHeight = AV_CEIL_RSHIFT(Height, av_pix_fmt_desc_get(format)->log2_chroma_h);
    std::memset(frame->data[0], colour.y, size_t(frame->linesize[0]) * Height);
    std::memset(frame->data[1], colour.u, size_t(frame->linesize[1]) * chromaHeight);
    std::memset(frame->data[2], colour.v, size_t(frame->linesize[2]) * chromaHeight);
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

// One colour written by each matrix and luma range comes out the same, read by the frame's own:
// at the frame's size, shrunk and enlarged, and from 4:2:2. Read by any other matrix or range it
// would be at least 11 off in one channel.
TEST(FrameConverter, ColoursFollowTheFramesMatrixAndRange) {
    const QRgb expected = qRgb(20, 230, 180);
    struct Case {
        const char* name;
        AVPixelFormat format;
        AVColorSpace colorspace;
        AVColorRange range;
        Yuv colour;
    };
    const Case cases[] = {
        {"unstated, BT.601",
         AV_PIX_FMT_YUV420P,
         AVCOL_SPC_UNSPECIFIED,
         AVCOL_RANGE_MPEG,
         {155, 137, 39}},
        {"BT.601 4:2:2", AV_PIX_FMT_YUV422P, AVCOL_SPC_BT470BG, AVCOL_RANGE_MPEG, {155, 137, 39}},
        {"BT.601 full, by the format",
         AV_PIX_FMT_YUVJ420P,
         AVCOL_SPC_SMPTE170M,
         AVCOL_RANGE_UNSPECIFIED,
         {162, 138, 27}},
        {"BT.709", AV_PIX_FMT_YUV420P, AVCOL_SPC_BT709, AVCOL_RANGE_MPEG, {172, 127, 38}},
        {"BT.709 full", AV_PIX_FMT_YUV420P, AVCOL_SPC_BT709, AVCOL_RANGE_JPEG, {182, 127, 25}},
        {"BT.2020", AV_PIX_FMT_YUV420P, AVCOL_SPC_BT2020_NCL, AVCOL_RANGE_MPEG, {164, 132, 38}},
    };
    FrameConverter converter;
    for (const Case& test : cases) {
        const auto frame = FlatFrame(test.format, test.colour);
        frame->colorspace = test.colorspace;
        frame->color_range = test.range;
        for (const QSize size : {QSize(Width, Height), QSize(229, 129), QSize(801, 451)}) {
            const QImage picture = converter.Convert(frame.get(), size, {});
            ASSERT_EQ(picture.size(), size) << test.name;
            const QRgb shown = picture.pixel(size.width() / 2, size.height() / 2);
            EXPECT_TRUE(Near(shown, expected)) << test.name << " at " << size.width() << " x "
                                               << size.height() << ": " << std::hex << shown;
        }
    }
}
