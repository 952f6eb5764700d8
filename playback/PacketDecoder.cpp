#include "playback/PacketDecoder.h"

#include "playback/PacketQueue.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

PacketDecoder::PacketDecoder(PacketQueue& packets) : m_packets(packets) {}

PacketDecoder::~PacketDecoder() {
    Join();
    avcodec_free_context(&m_codec);
}

void PacketDecoder::Join() {
    if (m_thread.joinable())
        m_thread.join();
}

bool PacketDecoder::Open(const AVStream* stream, const AVCodec* decoder,
                         const std::function<void(AVCodecContext&)>& tune) {
    if (!decoder)
        return false;
    m_codec = avcodec_alloc_context3(decoder);
    if (!m_codec || avcodec_parameters_to_context(m_codec, stream->codecpar) < 0)
        return false;
    m_codec->pkt_timebase = stream->time_base;
    if (tune)
        tune(*m_codec);
    return avcodec_open2(m_codec, decoder, nullptr) >= 0;
}

void PacketDecoder::Start(Events events) {
    m_events = std::move(events);
    m_thread = std::thread(&PacketDecoder::Run, this);
}

void PacketDecoder::Run() {
    PacketQueue::Item item;
    while (m_packets.Pop(item)) {
        if (item.serial != m_serial) {
            if (m_serial != 0)
                avcodec_flush_buffers(m_codec);
            m_serial = item.serial;
            m_events.seeked(m_serial, item.seekTarget);
        }
        if (!item.packet) {
            Decode(nullptr);
            m_events.ended(m_serial);
            continue;
        }
        if (m_events.sending)
            m_events.sending(*m_codec, *item.packet);
        Decode(item.packet);
        av_packet_free(&item.packet);
    }
}

void PacketDecoder::Decode(const AVPacket* packet) {
    // A damaged packet is skipped: the decoder finds its feet at the next key frame.
    int sent = avcodec_send_packet(m_codec, packet);
    for (;;) {
        FramePtr frame(av_frame_alloc());
        if (!frame)
            return;
        const int received = avcodec_receive_frame(m_codec, frame.get());
        if (received == AVERROR(EAGAIN) && sent == AVERROR(EAGAIN)) {
            sent = avcodec_send_packet(m_codec, packet);
            continue;
        }
        if (received < 0)
            return;
        m_events.frame(std::move(frame));
    }
}
