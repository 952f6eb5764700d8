#include "playback/FrameConverter.h"

#include <algorithm>

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

namespace {

// swscale counts brightness in 1/256 of a luma level (16.16 fixed point, scaled by 256).
constexpr int SwsBrightnessPerLevel = 256;
constexpr int SwsUnity = 1 << 16;

void Turn(QImage& picture) {
    // A 32-bit picture has no row padding, so reversing all pixels turns it by 180 degrees.
    auto* pixels = reinterpret_cast<quint32*>(picture.bits());
    std::reverse(pixels, pixels + qsizetype(picture.width()) * picture.height());
}

} // namespace

FrameConverter::~FrameConverter() {
    sws_freeContext(context_);
}

QImage FrameConverter::Convert(const AVFrame* frame, QSize size, const PictureLook& look) {
    if (!frame || size.isEmpty() || frame->width <= 0 || frame->height <= 0)
        return {};
    context_ = sws_getCachedContext(context_, frame->width, frame->height,
                                    AVPixelFormat(frame->format), size.width(), size.height(),
                                    AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!context_)
        return {};
    const int colorspace =
        frame->colorspace == AVCOL_SPC_UNSPECIFIED ? SWS_CS_DEFAULT : int(frame->colorspace);
    const int fullRange = frame->color_range == AVCOL_RANGE_JPEG ? 1 : 0;
    if (context_ != tunedContext_ || look.brightness != tunedBrightness_ ||
        colorspace != tunedColorspace_ || fullRange != tunedRange_) {
        const int* table = sws_getCoefficients(colorspace);
        sws_setColorspaceDetails(context_, table, fullRange, table, 1,
                                 look.brightness * SwsBrightnessPerLevel, SwsUnity, SwsUnity);
        tunedContext_ = context_;
        tunedBrightness_ = look.brightness;
        tunedColorspace_ = colorspace;
        tunedRange_ = fullRange;
    }
    QImage picture(size, QImage::Format_RGB32);
    if (picture.isNull())
        return {};
    uint8_t* planes[4] = {picture.bits(), nullptr, nullptr, nullptr};
    const int strides[4] = {int(picture.bytesPerLine()), 0, 0, 0};
    if (sws_scale(context_, frame->data, frame->linesize, 0, frame->height, planes, strides) <= 0)
        return {};
    if (look.turned)
        Turn(picture);
    return picture;
}
