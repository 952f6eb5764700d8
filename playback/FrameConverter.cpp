#include "playback/FrameConverter.h"

#include <algorithm>
#include <limits>

extern "C" {
#include <libavutil/buffer.h>
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

bool IsPlanar420(int format) {
    return format == AV_PIX_FMT_YUV420P || format == AV_PIX_FMT_YUVJ420P;
}

} // namespace

FrameConverter::~FrameConverter() {
    sws_freeContext(m_shrinkContext);
    av_frame_free(&m_shrunk);
    sws_freeContext(m_context);
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

const AVFrame* FrameConverter::Shrunk(const AVFrame* frame, QSize size) {
    if (!IsPlanar420(frame->format))
        return nullptr;
    const auto format = AVPixelFormat(frame->format);
    if (!m_shrunk || m_shrunk->width != size.width() || m_shrunk->height != size.height() ||
        m_shrunk->format != format) {
        av_frame_free(&m_shrunk);
        m_shrunk = av_frame_alloc();
        if (!m_shrunk)
            return nullptr;
        m_shrunk->width = size.width();
        m_shrunk->height = size.height();
        m_shrunk->format = format;
        if (av_frame_get_buffer(m_shrunk, 0) < 0) {
            av_frame_free(&m_shrunk);
            return nullptr;
        }
    }
    m_shrinkContext =
        sws_getCachedContext(m_shrinkContext, frame->width, frame->height, format, size.width(),
                             size.height(), format, SWS_AREA, nullptr, nullptr, nullptr);
    if (!m_shrinkContext || sws_scale(m_shrinkContext, frame->data, frame->linesize, 0,
                                      frame->height, m_shrunk->data, m_shrunk->linesize) <= 0)
        return nullptr;
    m_shrunk->colorspace = frame->colorspace;
    m_shrunk->color_range = frame->color_range;
    return m_shrunk;
}

QImage FrameConverter::Convert(const AVFrame* frame, QSize size, const PictureLook& look) {
    if (!frame || size.isEmpty() || frame->width <= 0 || frame->height <= 0)
        return {};
    const bool shrinking = size.width() < frame->width && size.height() < frame->height;
    if (look.brightness == 0 && shrinking)
        if (const AVFrame* shrunk = Shrunk(frame, size))
            frame = shrunk;
    const ColourSetting setting{frame->width,
                                frame->height,
                                frame->format,
                                size,
                                shrinking,
                                look.brightness,
                                frame->colorspace == AVCOL_SPC_UNSPECIFIED ? SWS_CS_DEFAULT
                                                                           : int(frame->colorspace),
                                frame->color_range == AVCOL_RANGE_JPEG ? 1 : 0};
    if (!m_context || !(setting == m_setting)) {
        sws_freeContext(m_context);
        m_context = sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format),
                                   size.width(), size.height(), AV_PIX_FMT_BGRA,
                                   shrinking ? SWS_AREA : SWS_BILINEAR, nullptr, nullptr, nullptr);
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
