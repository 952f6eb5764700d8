#include "incident/OverlayBlend.h"

#include <algorithm>

extern "C" {
#include <libavutil/frame.h>
}

namespace {

// BT.601 limited range, for colours already multiplied by their alpha: the black level's share
// comes with the alpha.
int Luma(int r, int g, int b, int a) {
    return (16 * a * 256 / 255 + 66 * r + 129 * g + 25 * b + 128) >> 8;
}
int BlueDifference(int r, int g, int b, int a) {
    return (128 * a * 256 / 255 - 38 * r - 74 * g + 112 * b + 128) >> 8;
}
int RedDifference(int r, int g, int b, int a) {
    return (128 * a * 256 / 255 + 112 * r - 94 * g - 18 * b + 128) >> 8;
}

uint8_t Over(int value, int premultiplied, int alpha) {
    return uint8_t(std::clamp(premultiplied + (value * (255 - alpha) + 127) / 255, 0, 255));
}

} // namespace

void BlendOverlay(AVFrame& picture, const QImage& overlay) {
    // Whole chroma samples only: an odd last row or column is left as filmed.
    const int width = std::min(overlay.width(), picture.width) & ~1;
    const int height = std::min(overlay.height(), picture.height) & ~1;
    for (int y = 0; y < height; y += 2) {
        const QRgb* rows[2] = {reinterpret_cast<const QRgb*>(overlay.constScanLine(y)),
                               reinterpret_cast<const QRgb*>(overlay.constScanLine(y + 1))};
        uint8_t* luma[2] = {picture.data[0] + y * picture.linesize[0],
                            picture.data[0] + (y + 1) * picture.linesize[0]};
        uint8_t* blue = picture.data[1] + y / 2 * picture.linesize[1];
        uint8_t* red = picture.data[2] + y / 2 * picture.linesize[2];
        for (int x = 0; x < width; x += 2) {
            int r = 0, g = 0, b = 0, a = 0;
            for (int row = 0; row < 2; ++row) {
                for (int column = x; column < x + 2; ++column) {
                    const QRgb pixel = rows[row][column];
                    const int alpha = qAlpha(pixel);
                    if (alpha == 0)
                        continue;
                    luma[row][column] =
                        Over(luma[row][column],
                             Luma(qRed(pixel), qGreen(pixel), qBlue(pixel), alpha), alpha);
                    r += qRed(pixel);
                    g += qGreen(pixel);
                    b += qBlue(pixel);
                    a += alpha;
                }
            }
            if (a == 0)
                continue;
            r /= 4, g /= 4, b /= 4, a /= 4;
            blue[x / 2] = Over(blue[x / 2], BlueDifference(r, g, b, a), a);
            red[x / 2] = Over(red[x / 2], RedDifference(r, g, b, a), a);
        }
    }
}
