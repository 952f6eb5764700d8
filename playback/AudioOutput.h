#pragma once

#include <QtGlobal>
#include <functional>
#include <memory>

class PcmQueue;

// The sound device. It pulls PcmQueue's format from the queue in real time on a thread of its
// own and says how much of what it pulled has been heard.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;

    // Starts paused. False when there is no device: the recording then plays silently.
    virtual bool Start(PcmQueue* queue) = 0;
    virtual void SetPlaying(bool playing) = 0;
    // Frames read from the queue so far that have been heard (or discarded).
    virtual qint64 HeardFrames() const = 0;
    // The device went away while playing: the clock must not wait for it any more.
    virtual bool Failed() const = 0;
};

using AudioOutputFactory = std::function<std::unique_ptr<AudioOutput>()>;

// The desktop's default sound device.
std::unique_ptr<AudioOutput> MakeSystemAudioOutput();
