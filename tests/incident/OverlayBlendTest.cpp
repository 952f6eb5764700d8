#include "incident/OverlayBlend.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavutil/frame.h>
}

namespace {

// A grey 8 x 8 picture under a 4 x 4 overlay: opaque white at the left, half-transparent black
// at the right of its top half, nothing below.
TEST(OverlayBlendTest, OnlyTheOverlaysPixelsChangeAsTheirAlphaSays) {
    AVFrame* picture = av_frame_alloc();
    picture->format = AV_PIX_FMT_YUV420P;
    picture->width = picture->height = 8;
    ASSERT_EQ(av_frame_get_buffer(picture, 0), 0);
    for (int plane = 0; plane < 3; ++plane)
        for (int y = 0; y < (plane ? 4 : 8); ++y)
            memset(picture->data[plane] + y * picture->linesize[plane], plane ? 128 : 126,
                   plane ? 4 : 8);
    QImage overlay(4, 4, QImage::Format_ARGB32_Premultiplied);
    overlay.fill(Qt::transparent);
    for (int y = 0; y < 2; ++y) {
        overlay.setPixel(0, y, qRgba(255, 255, 255, 255));
        overlay.setPixel(1, y, qRgba(255, 255, 255, 255));
        overlay.setPixel(2, y, qRgba(0, 0, 0, 128));
        overlay.setPixel(3, y, qRgba(0, 0, 0, 128));
    }
    BlendOverlay(*picture, overlay);
    const auto luma = [&](int x, int y) {
        return int(picture->data[0][y * picture->linesize[0] + x]);
    };
    EXPECT_EQ(luma(0, 0), 235); // white in limited range
    EXPECT_EQ(luma(1, 1), 235);
    EXPECT_NEAR(luma(2, 0), (16 + 126) / 2, 1);
    EXPECT_EQ(luma(0, 2), 126);
    EXPECT_EQ(luma(4, 0), 126);
    for (int plane = 1; plane < 3; ++plane)
        for (int x = 0; x < 4; ++x)
            EXPECT_NEAR(picture->data[plane][x], 128, 1) << plane << " " << x;
    av_frame_free(&picture);
}

} // namespace
