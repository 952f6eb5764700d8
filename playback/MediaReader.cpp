#include "playback/MediaReader.h"

#include "playback/MediaFile.h"
#include "playback/PacketQueue.h"

#include <algorithm>
#include <chrono>

extern "C" {
#include <libavformat/avformat.h>
}

namespace {

// Enough read ahead to ride out a slow card, little enough to stay small.
constexpr qint64 MaxQueuedBytes = 16 * 1024 * 1024;
constexpr int EnoughPackets = 32;
// A damaged file may fail to read many times in a row before the demuxer finds its feet again;
// beyond this the rest of the file counts as lost.
constexpr int MaxReadErrorsInARow = 1000;
constexpr auto IdlePoll = std::chrono::milliseconds(50);

} // namespace

MediaReader::MediaReader(MediaFile& file, PacketQueue& video, PacketQueue* audio)
    : m_file(file), m_video(video), m_audio(audio) {}

MediaReader::~MediaReader() {
    Abort();
    if (m_thread.joinable())
        m_thread.join();
}

void MediaReader::Start() {
    m_thread = std::thread(&MediaReader::Run, this);
}

void MediaReader::Seek(int serial, qint64 position) {
    {
        std::lock_guard lock(m_mutex);
        m_requestedSerial = serial;
        m_requestedPosition = position;
    }
    m_changed.notify_all();
}

void MediaReader::Abort() {
    {
        std::lock_guard lock(m_mutex);
        m_aborted = true;
    }
    m_file.Interrupt();
    m_changed.notify_all();
}

bool MediaReader::QueuesFull() const {
    const qint64 bytes = m_video.Bytes() + (m_audio ? m_audio->Bytes() : 0);
    return bytes > MaxQueuedBytes ||
           (m_video.Count() >= EnoughPackets && (!m_audio || m_audio->Count() >= EnoughPackets));
}

void MediaReader::PushEndOfStream(int serial) {
    m_video.Push(nullptr, serial);
    if (m_audio)
        m_audio->Push(nullptr, serial);
}

void MediaReader::SeekFile(qint64 position) {
    AVFormatContext* format = m_file.Format();
    const AVStream* video = m_file.VideoStream();
    // The key frame at or before the position, found by decoding time; the decoders drop what
    // comes before the position.
    const qint64 decodedFrom = std::max<qint64>(0, position - m_file.ReorderDelay());
    if (av_seek_frame(format, video->index, m_file.TimestampOf(video, decodedFrom),
                      AVSEEK_FLAG_BACKWARD) >= 0)
        return;
    // Without an index (a cut-off file) only what has been read can be found: start over.
    av_seek_frame(format, video->index, m_file.TimestampOf(video, 0), AVSEEK_FLAG_BACKWARD);
}

void MediaReader::Run() {
    AVFormatContext* format = m_file.Format();
    const int videoIndex = m_file.VideoStream()->index;
    const int audioIndex = m_audio && m_file.AudioStream() ? m_file.AudioStream()->index : -1;
    int serial = 1;
    bool ended = false;
    int errorsInARow = 0;
    std::unique_lock lock(m_mutex);
    while (!m_aborted) {
        if (m_requestedSerial != serial) {
            serial = m_requestedSerial;
            const qint64 position = m_requestedPosition;
            lock.unlock();
            SeekFile(position);
            lock.lock();
            ended = false;
            errorsInARow = 0;
            continue;
        }
        if (ended || QueuesFull()) {
            m_changed.wait_for(lock, IdlePoll);
            continue;
        }
        lock.unlock();
        AVPacket* packet = av_packet_alloc();
        const int result = packet ? av_read_frame(format, packet) : AVERROR(ENOMEM);
        if (result < 0) {
            av_packet_free(&packet);
            // End of file, a read error (the card was pulled) or lasting garbage: the stream ends
            // here, the decoders drain and the position runs to the end.
            const bool lost = result == AVERROR_EOF || result == AVERROR_EXIT ||
                              result == AVERROR(ENOMEM) || avio_feof(format->pb) ||
                              format->pb->error < 0 || ++errorsInARow > MaxReadErrorsInARow;
            if (lost)
                PushEndOfStream(serial);
            lock.lock();
            ended = lost;
            continue;
        }
        errorsInARow = 0;
        if (packet->stream_index == videoIndex)
            m_video.Push(packet, serial);
        else if (packet->stream_index == audioIndex)
            m_audio->Push(packet, serial);
        else
            av_packet_free(&packet);
        lock.lock();
    }
}
