#include "playback/MediaReader.h"

#include "playback/MediaFile.h"
#include "playback/PacketQueue.h"

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
    : file_(file), video_(video), audio_(audio) {}

MediaReader::~MediaReader() {
    Abort();
    if (thread_.joinable())
        thread_.join();
}

void MediaReader::Start() {
    thread_ = std::thread(&MediaReader::Run, this);
}

void MediaReader::Seek(int serial, qint64 position) {
    {
        std::lock_guard lock(mutex_);
        requestedSerial_ = serial;
        requestedPosition_ = position;
    }
    changed_.notify_all();
}

void MediaReader::Abort() {
    {
        std::lock_guard lock(mutex_);
        aborted_ = true;
    }
    file_.Interrupt();
    changed_.notify_all();
}

bool MediaReader::QueuesFull() const {
    const qint64 bytes = video_.Bytes() + (audio_ ? audio_->Bytes() : 0);
    return bytes > MaxQueuedBytes ||
           (video_.Count() >= EnoughPackets && (!audio_ || audio_->Count() >= EnoughPackets));
}

void MediaReader::PushEndOfStream(int serial) {
    video_.Push(nullptr, serial);
    if (audio_)
        audio_->Push(nullptr, serial);
}

void MediaReader::SeekFile(qint64 position) {
    AVFormatContext* format = file_.Format();
    const AVStream* video = file_.VideoStream();
    // The key frame at or before the position; the decoders drop what comes before it.
    if (av_seek_frame(format, video->index, file_.TimestampOf(video, position),
                      AVSEEK_FLAG_BACKWARD) >= 0)
        return;
    // Without an index (a cut-off file) only what has been read can be found: start over.
    av_seek_frame(format, video->index, file_.TimestampOf(video, 0), AVSEEK_FLAG_BACKWARD);
}

void MediaReader::Run() {
    AVFormatContext* format = file_.Format();
    const int videoIndex = file_.VideoStream()->index;
    const int audioIndex = audio_ && file_.AudioStream() ? file_.AudioStream()->index : -1;
    int serial = 1;
    bool ended = false;
    int errorsInARow = 0;
    std::unique_lock lock(mutex_);
    while (!aborted_) {
        if (requestedSerial_ != serial) {
            serial = requestedSerial_;
            const qint64 position = requestedPosition_;
            lock.unlock();
            SeekFile(position);
            lock.lock();
            ended = false;
            errorsInARow = 0;
            continue;
        }
        if (ended || QueuesFull()) {
            changed_.wait_for(lock, IdlePoll);
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
            video_.Push(packet, serial);
        else if (packet->stream_index == audioIndex)
            audio_->Push(packet, serial);
        else
            av_packet_free(&packet);
        lock.lock();
    }
}
