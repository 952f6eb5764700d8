#include "playback/DecodeChain.h"

#include "playback/AudioDecoder.h"
#include "playback/MediaFile.h"
#include "playback/MediaReader.h"

extern "C" {
#include <libavformat/avformat.h>
}

DecodeChain::DecodeChain(std::unique_ptr<MediaFile> file, std::function<void()> pictureQueued)
    : m_file(std::move(file)), m_frames(std::move(pictureQueued)) {}

DecodeChain::~DecodeChain() {
    Stop();
}

bool DecodeChain::Open(DecodePace pace, bool withSound) {
    m_videoDecoder = std::make_unique<VideoDecoder>(*m_file, m_videoPackets, m_frames, pace);
    if (!m_videoDecoder->Open())
        return false;
    if (withSound && m_file->AudioStream()) {
        m_audioDecoder = std::make_unique<AudioDecoder>(*m_file, m_audioPackets, m_pcm);
        if (!m_audioDecoder->Open())
            m_audioDecoder.reset();
    }
    if (!m_audioDecoder)
        DropSound();
    return true;
}

void DecodeChain::DropSound() {
    m_audioDecoder.reset();
    if (m_file->AudioStream())
        m_file->AudioStream()->discard = AVDISCARD_ALL;
}

void DecodeChain::Start(int serial) {
    Flush(serial, 0);
    m_reader = std::make_unique<MediaReader>(*m_file, m_videoPackets,
                                             m_audioDecoder ? &m_audioPackets : nullptr);
    m_videoDecoder->Start();
    if (m_audioDecoder)
        m_audioDecoder->Start();
    m_reader->Start();
}

void DecodeChain::Seek(int serial, qint64 position) {
    Flush(serial, position);
    m_reader->Seek(serial, position);
}

void DecodeChain::Flush(int serial, qint64 position) {
    m_videoPackets.Flush(serial, position);
    m_audioPackets.Flush(serial, position);
    m_frames.Flush(serial);
    m_pcm.Flush(serial);
}

void DecodeChain::Stop() {
    // Every queue wakes its waiters first, so that no thread stays blocked on one.
    if (m_reader)
        m_reader->Abort();
    m_videoPackets.Abort();
    m_audioPackets.Abort();
    m_frames.Abort();
    m_pcm.Abort();
    m_reader.reset();
    m_videoDecoder.reset();
    m_audioDecoder.reset();
}
