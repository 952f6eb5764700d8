#include "playback/AacFramer.h"

#include <algorithm>

extern "C" {
#include <libavcodec/avcodec.h>
}

namespace {

// 6144 bits per channel and frame, the most an AAC decoder must buffer.
constexpr int MaxBytesPerChannel = 6144 / 8;

} // namespace

AacFramer::AacFramer(const QByteArray& audioSpecificConfig) {
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_AAC);
    if (!codec || audioSpecificConfig.isEmpty())
        return;
    m_decoder = avcodec_alloc_context3(codec);
    if (!m_decoder)
        return;
    m_decoder->extradata = static_cast<uint8_t*>(
        av_mallocz(size_t(audioSpecificConfig.size()) + AV_INPUT_BUFFER_PADDING_SIZE));
    if (m_decoder->extradata) {
        std::copy(audioSpecificConfig.begin(), audioSpecificConfig.end(), m_decoder->extradata);
        m_decoder->extradata_size = int(audioSpecificConfig.size());
    }
    // Most trial lengths are too short by design: their complaints are no news.
    m_decoder->log_level_offset = AV_LOG_TRACE;
    if (!m_decoder->extradata || avcodec_open2(m_decoder, codec, nullptr) < 0 ||
        m_decoder->ch_layout.nb_channels <= 0) {
        avcodec_free_context(&m_decoder);
        return;
    }
    m_maxFrame = MaxBytesPerChannel * m_decoder->ch_layout.nb_channels;
}

AacFramer::~AacFramer() {
    avcodec_free_context(&m_decoder);
}

bool AacFramer::DecodesWhole(const char* bytes, int length) {
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    bool whole = false;
    if (packet && frame && av_new_packet(packet, length) == 0) {
        std::copy(bytes, bytes + length, packet->data);
        avcodec_flush_buffers(m_decoder);
        whole = avcodec_send_packet(m_decoder, packet) == 0 &&
                avcodec_receive_frame(m_decoder, frame) == 0 && frame->nb_samples > 0;
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    return whole;
}

int AacFramer::FrameLength(const char* bytes, int available) {
    // Too short a length runs out before the frame's END element; any length from the
    // frame's own on decodes it.
    int high = std::min(available, m_maxFrame);
    if (!m_decoder || high <= 0 || !DecodesWhole(bytes, high))
        return 0;
    int low = 0; // too short
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        (DecodesWhole(bytes, middle) ? high : low) = middle;
    }
    return high;
}
