#pragma once

#include "playback/TempoFilter.h"

#include <QtGlobal>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

// Sound between the audio decoder and the output device: 48 kHz, stereo, signed 16 bit. The
// device's side stretches it to the playback rate as it reads, so that a new rate is heard at
// once, and remembers which position every frame handed out came from: the clock follows what
// is heard.
class PcmQueue {
public:
    static constexpr int SampleRate = 48000;
    static constexpr int Channels = 2;
    static constexpr int BytesPerFrame = Channels * 2;

    // Decoder side. Blocks while full; false when `serial` is stale or on abort.
    bool Push(const qint16* samples, int frames, qint64 position, int serial);
    void EndOfStream(int serial);

    // Device side: copies at most `maxBytes` with the volume applied; 0 while nothing may play.
    qint64 Read(char* data, qint64 maxBytes);
    // Called when sound becomes readable after a Read returned nothing.
    void SetReadyCallback(std::function<void()> ready);

    // Window side.
    void Flush(int serial);   // drops the queue; nothing plays until Release(serial)
    void Release(int serial); // the picture of `serial` is shown: its sound may play
    void Abort();
    void SetRate(double rate);
    // Gains of the left and right channel, 0 to 1.
    void SetGains(float left, float right);

    // Position heard once `heardFrames` frames have been played; none while what is heard
    // belongs to an older serial.
    std::optional<qint64> PositionAt(qint64 heardFrames, int serial) const;
    // Nothing is waiting to be read.
    bool Empty() const;
    // Every frame of `serial` has been read and heard.
    bool Finished(qint64 heardFrames, int serial) const;

private:
    struct Chunk {
        std::vector<qint16> samples;
        qsizetype offset = 0; // frames already taken
        qint64 position = 0;
        double rate = 1;
        qint64 Frames() const { return qint64(samples.size()) / Channels - offset; }
    };
    // Frames [first, first + frames) read by the device play positions from `position` on.
    struct Span {
        qint64 first = 0;
        qint64 frames = 0;
        qint64 position = 0;
        double rate = 1;
        int serial = 0;
    };
    static constexpr qint64 CapacityFrames = SampleRate / 5;
    static constexpr int KeptSpans = 512;
    static constexpr int StretchBlockFrames = 1024;

    qint64 QueuedFramesLocked() const;
    // The next chunk to copy to the device: decoded sound as it is, or stretched.
    Chunk* ReadableChunkLocked();
    void StretchLocked(std::vector<qint16> input, qint64 position, bool drain);
    void CopyLocked(Chunk& chunk, qint16* out, qint64 frames);

    // The decoder thread pushes, the sound device's thread reads, the window's thread seeks and
    // sets the gains: every field below is read and written only under m_mutex. The callback in
    // m_ready is called after the mutex is let go.
    mutable std::mutex m_mutex;
    std::condition_variable m_space; // a pusher waits on it for room
    std::deque<Chunk> m_chunks;      // as decoded
    std::deque<Chunk> m_stretched;   // out of the tempo filter
    std::unique_ptr<TempoFilter> m_tempo;
    double m_rate = 1;
    std::deque<Span> m_spans;
    std::function<void()> m_ready;
    qint64 m_framesRead = 0;
    int m_serial = 0;
    int m_releasedSerial = -1;
    int m_endedSerial = -1;
    bool m_starving = false;
    bool m_aborted = false;
    float m_gains[Channels] = {1, 1};
};
