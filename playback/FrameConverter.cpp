#include "playback/FrameConverter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

extern "C" {
#include <libavutil/buffer.h>
#include <libavutil/frame.h>
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}
#include <libyuv/convert_argb.h>
#include <libyuv/planar_functions.h>
#include <libyuv/scale.h>

namespace {

void Turn(QImage& picture) {
    // A 32-bit picture has no row padding, so reversing all pixels turns it by 180 degrees.
    auto* pixels = reinterpret_cast<quint32*>(picture.bits());
    std::reverse(pixels, pixels + qsizetype(picture.width()) * picture.height());
}

bool IsPlanar420(int format) {
    return format == AV_PIX_FMT_YUV420P || format == AV_PIX_FMT_YUVJ420P;
}

bool IsFullRange(const AVFrame& frame) {
    switch (frame.format) {
    case AV_PIX_FMT_YUVJ420P:
    case AV_PIX_FMT_YUVJ422P:
    case AV_PIX_FMT_YUVJ444P:
    case AV_PIX_FMT_YUVJ440P:
    case AV_PIX_FMT_YUVJ411P:
        return true;
    default:
        return frame.color_range == AVCOL_RANGE_JPEG;
    }
}

// Frames that do not say theirs are coloured as BT.601, as FFmpeg colours them.
const libyuv::YuvConstants* ColourMatrix(AVColorSpace colorspace, bool fullRange) {
    switch (colorspace) {
    case AVCOL_SPC_BT709:
        return fullRange ? &libyuv::kYuvF709Constants : &libyuv::kYuvH709Constants;
    case AVCOL_SPC_BT2020_NCL:
    case AVCOL_SPC_BT2020_CL:
        return fullRange ? &libyuv::kYuvV2020Constants : &libyuv::kYuv2020Constants;
    default:
        return fullRange ? &libyuv::kYuvJPEGConstants : &libyuv::kYuvI601Constants;
    }
}

// Adds `levels` of luma to every pixel. In limited range a luma level is 255/219 of a colour
// level; added after colouring it moves red, green and blue alike, as it would before.
void Brighten(QImage& picture, int levels, bool fullRange) {
    const int amount = fullRange ? levels : int(std::lround(levels * 255.0 / 219.0));
    std::array<uint8_t, 256 * 4> table;
    for (int value = 0; value < 256; ++value) {
        const auto brightened = uint8_t(std::clamp(value + amount, 0, 255));
        std::fill_n(table.begin() + value * 4, 3, brightened);
        table[value * 4 + 3] = uint8_t(value);
    }
    libyuv::RGBColorTable(picture.bits(), int(picture.bytesPerLine()), table.data(), 0, 0,
                          picture.width(), picture.height());
}

// Makes `frame` a frame of this size and format, keeping its buffers when it is one already.
bool Reuse(AVFrame*& frame, int width, int height, int format) {
    if (frame && frame->width == width && frame->height == height && frame->format == format)
        return true;
    av_frame_free(&frame);
    frame = av_frame_alloc();
    if (!frame)
        return false;
    frame->format = format;
    frame->width = width;
    frame->height = height;
    if (av_frame_get_buffer(frame, 0) < 0) {
        av_frame_free(&frame);
        return false;
    }
    return true;
}

} // namespace

FrameConverter::~FrameConverter() {
    sws_freeContext(m_context);
    av_frame_free(&m_halved);
    av_frame_free(&m_scaled);
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
    if (!IsPlanar420(frame->format) || size.width() * 2 > frame->width ||
        size.height() * 2 > frame->height)
        return frame;
    const int width = frame->width / 2, height = frame->height / 2;
    if (!Reuse(m_halved, width, height, frame->format) ||
        libyuv::I420Scale(frame->data[0], frame->linesize[0], frame->data[1], frame->linesize[1],
                          frame->data[2], frame->linesize[2], frame->width, frame->height,
                          m_halved->data[0], m_halved->linesize[0], m_halved->data[1],
                          m_halved->linesize[1], m_halved->data[2], m_halved->linesize[2], width,
                          height, libyuv::kFilterBox) != 0)
        return frame;
    return m_halved;
}

const AVFrame* FrameConverter::Scaled(const AVFrame* frame, QSize size, bool fullRange) {
    if (IsPlanar420(frame->format) && frame->width == size.width() &&
        frame->height == size.height())
        return frame;
    if (!Reuse(m_scaled, size.width(), size.height(), AV_PIX_FMT_YUV420P))
        return nullptr;
    const ScaleSetting setting{frame->width, frame->height, frame->format, size, fullRange};
    if (!m_context || setting != m_setting) {
        sws_freeContext(m_context);
        // Shrinking, the fast filter's difference does not show; enlarged, it would.
        const bool shrinking = size.width() < frame->width && size.height() < frame->height;
        m_context =
            sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), size.width(),
                           size.height(), AV_PIX_FMT_YUV420P,
                           shrinking ? SWS_FAST_BILINEAR : SWS_BILINEAR, nullptr, nullptr, nullptr);
        if (!m_context)
            return nullptr;
        // The range stays the frame's: the colouring goes by the frame's.
        const int* table = sws_getCoefficients(SWS_CS_DEFAULT);
        sws_setColorspaceDetails(m_context, table, fullRange, table, fullRange, 0, 1 << 16,
                                 1 << 16);
        m_setting = setting;
    }
    if (sws_scale(m_context, frame->data, frame->linesize, 0, frame->height, m_scaled->data,
                  m_scaled->linesize) <= 0)
        return nullptr;
    return m_scaled;
}

QImage FrameConverter::Convert(const AVFrame* decoded, QSize size, const PictureLook& look) {
    if (!decoded || size.isEmpty() || decoded->width <= 0 || decoded->height <= 0)
        return {};
    const bool fullRange = IsFullRange(*decoded);
    const AVFrame* planes = Scaled(Halved(decoded, size), size, fullRange);
    if (!planes)
        return {};
    QImage picture = PooledPicture(size);
    if (picture.isNull())
        return {};
    if (libyuv::I420ToARGBMatrix(
            planes->data[0], planes->linesize[0], planes->data[1], planes->linesize[1],
            planes->data[2], planes->linesize[2], picture.bits(), int(picture.bytesPerLine()),
            ColourMatrix(decoded->colorspace, fullRange), size.width(), size.height()) != 0)
        return {};
    if (look.brightness != 0)
        Brighten(picture, look.brightness, fullRange);
    if (look.turned)
        Turn(picture);
    return picture;
}
