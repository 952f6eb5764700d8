#include "playback/FrameConverter.h"

#include <algorithm>
#include <limits>

extern "C" {
#include <libavutil/buffer.h>
#include <libavutil/frame.h>
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}
#include <libyuv/scale.h>

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
    sws_freeContext(m_context);
    av_frame_free(&m_halved);
    // Pictures still shown keep their buffers: the pool goes with the last of them.
    av_buffer_pool_uninit(&m_pool);
}

QImage FrameConverter::PooledPicture(QSize size) {
    const qsizetype bytesPerLine = qsizetype(size.width()) * 4;
    const qsizetype bytes = bytesPerLine * size.height();
    if (bytes > std::numeric_limits<int>::max())
        return {};
    if (bytes != m_poolBytes) {
        av_buffer_pool_uninit(&m_pool);
        m_pool = av_buffer_pool_init(bytes, nullptr);
        m_poolBytes = m_pool ? bytes : 0;
    }
    AVBufferRef* buffer = m_pool ? av_buffer_pool_get(m_pool) : nullptr;
    if (!buffer)
        return {};
    return QImage(
        buffer->data, size.width(), size.height(), bytesPerLine, QImage::Format_RGB32,
        [](void* reference) {
            auto* owned = static_cast<AVBufferRef*>(reference);
            av_buffer_unref(&owned);
        },
        buffer);
}

const AVFrame* FrameConverter::Halved(const AVFrame* frame, QSize size) {
    const bool planar420 =
        frame->format == AV_PIX_FMT_YUV420P || frame->format == AV_PIX_FMT_YUVJ420P;
    if (!planar420 || size.width() * 2 > frame->width || size.height() * 2 > frame->height)
        return frame;
    const int width = frame->width / 2, height = frame->height / 2;
    if (!m_halved || m_halved->width != width || m_halved->height != height ||
        m_halved->format != frame->format) {
        av_frame_free(&m_halved);
        m_halved = av_frame_alloc();
        if (!m_halved)
            return frame;
        m_halved->format = frame->format;
        m_halved->width = width;
        m_halved->height = height;
        if (av_frame_get_buffer(m_halved, 0) < 0) {
            av_frame_free(&m_halved);
            return frame;
        }
    }
    m_halved->colorspace = frame->colorspace;
    m_halved->color_range = frame->color_range;
    if (libyuv::I420Scale(frame->data[0], frame->linesize[0], frame->data[1], frame->linesize[1],
                          frame->data[2], frame->linesize[2], frame->width, frame->height,
                          m_halved->data[0], m_halved->linesize[0], m_halved->data[1],
                          m_halved->linesize[1], m_halved->data[2], m_halved->linesize[2], width,
                          height, libyuv::kFilterBox) != 0)
        return frame;
    return m_halved;
}

QImage FrameConverter::Convert(const AVFrame* decoded, QSize size, const PictureLook& look) {
    if (!decoded || size.isEmpty() || decoded->width <= 0 || decoded->height <= 0)
        return {};
    const AVFrame* frame = Halved(decoded, size);
    // Shrinking, the fast filter's difference does not show; enlarged, it would.
    const bool shrinking = size.width() < frame->width && size.height() < frame->height;
    const ColourSetting setting{frame->width,
                                frame->height,
                                frame->format,
                                size,
                                look.brightness,
                                frame->colorspace == AVCOL_SPC_UNSPECIFIED ? SWS_CS_DEFAULT
                                                                           : int(frame->colorspace),
                                frame->color_range == AVCOL_RANGE_JPEG ? 1 : 0};
    if (!m_context || setting != m_setting) {
        sws_freeContext(m_context);
        m_context =
            sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), size.width(),
                           size.height(), AV_PIX_FMT_BGRA,
                           shrinking ? SWS_FAST_BILINEAR : SWS_BILINEAR, nullptr, nullptr, nullptr);
        if (!m_context)
            return {};
        const int* table = sws_getCoefficients(setting.colorspace);
        sws_setColorspaceDetails(m_context, table, setting.range, table, 1,
                                 setting.brightness * SwsBrightnessPerLevel, SwsUnity, SwsUnity);
        m_setting = setting;
    }
    QImage picture = PooledPicture(size);
    if (picture.isNull())
        return {};
    uint8_t* planes[4] = {picture.bits(), nullptr, nullptr, nullptr};
    const int strides[4] = {int(picture.bytesPerLine()), 0, 0, 0};
    if (sws_scale(m_context, frame->data, frame->linesize, 0, frame->height, planes, strides) <= 0)
        return {};
    if (look.turned)
        Turn(picture);
    return picture;
}
