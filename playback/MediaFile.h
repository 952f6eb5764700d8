#pragma once

#include <QString>
#include <atomic>
#include <memory>
#include <optional>

struct AVFormatContext;
struct AVStream;

struct VideoInfo {
    int width = 0;
    int height = 0;
    QString codec;
    double frameRate = 0;
};

struct AudioInfo {
    QString codec;
    int sampleRate = 0;
    int channels = 0;
};

struct MediaInfo {
    VideoInfo video;
    std::optional<AudioInfo> audio;
};

// The demuxer for a path: the last three characters, upper-cased, "MP4" read as MP4; anything
// else, a name without an extension too, as AVI.
const char* DemuxerForPath(const QString& path);

// One opened recording: the demuxer with its H.264 video stream and, when decodable, its sound.
class MediaFile {
public:
    // Null when the file cannot be read as a recording.
    static std::unique_ptr<MediaFile> Open(const QString& path);
    ~MediaFile();
    MediaFile(const MediaFile&) = delete;
    MediaFile& operator=(const MediaFile&) = delete;

    AVFormatContext* Format() const { return format_; }
    AVStream* VideoStream() const { return video_; }
    AVStream* AudioStream() const { return audio_; } // null without sound
    const MediaInfo& Info() const { return info_; }
    // 100-ns units; positions count from the container's first timestamp.
    qint64 Duration() const { return duration_; }
    qint64 StartTime() const { return startTime_; }
    // Converts a timestamp of `stream` to a position; `fallback` when it has none.
    qint64 PositionOf(const AVStream* stream, qint64 timestamp, qint64 fallback) const;
    qint64 TimestampOf(const AVStream* stream, qint64 position) const;

    // Makes blocking reads give up, so that closing never waits on a slow card.
    void Interrupt() { interrupted_ = true; }

private:
    MediaFile() = default;
    static int InterruptCallback(void* self);

    AVFormatContext* format_ = nullptr;
    AVStream* video_ = nullptr;
    AVStream* audio_ = nullptr;
    MediaInfo info_;
    qint64 duration_ = 0;
    qint64 startTime_ = 0;
    std::atomic<bool> interrupted_ = false;
};
