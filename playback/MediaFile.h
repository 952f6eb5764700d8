#pragma once

#include <QString>
#include <atomic>
#include <memory>
#include <optional>

struct AVFormatContext;
struct AVIOContext;
struct AVRational;
struct AVStream;
struct RepairedView;
class QFile;

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
    // For a recording the camera did not finish: what was rebuilt, from what, what was lost.
    QString repairNote;
};

// The demuxer for a path: the last three characters, upper-cased, "MP4" read as MP4; anything
// else, a name without an extension too, as AVI.
const char* DemuxerForPath(const QString& path);

// One opened recording: the demuxer with its H.264 video stream and, when decodable, its sound.
class MediaFile {
public:
    // Null when the file cannot be read as a recording; `error` then says why. Setting `cancel`
    // from another thread makes a running open give up.
    static std::unique_ptr<MediaFile> Open(const QString& path, QString& error,
                                           const std::atomic<bool>* cancel = nullptr);
    ~MediaFile();
    MediaFile(const MediaFile&) = delete;
    MediaFile& operator=(const MediaFile&) = delete;

    AVFormatContext* Format() const { return m_format; }
    AVStream* VideoStream() const { return m_video; }
    AVStream* AudioStream() const { return m_audio; } // null without sound
    const MediaInfo& Info() const { return m_info; }
    // 100-ns units; positions count from the container's first timestamp.
    qint64 Duration() const { return m_duration; }
    qint64 StartTime() const { return m_startTime; }
    // Converts a timestamp of `stream` to a position; `fallback` when it has none.
    qint64 PositionOf(const AVStream* stream, qint64 timestamp, qint64 fallback) const;
    qint64 TimestampOf(const AVStream* stream, qint64 position) const;
    // How long before a key frame's own picture the pictures decoded ahead of it may be shown:
    // with B-frames, a seek must start that much earlier to reach them.
    qint64 ReorderDelay() const;

    // Makes blocking reads give up, so that closing never waits on a slow card.
    void Interrupt() { m_interrupted = true; }
    // The file was cut off by a power loss and is read through a rebuilt index.
    bool Repaired() const { return m_view != nullptr; }

private:
    friend struct RepairedView;
    MediaFile() = default;
    QString OpenInput(const QString& path);
    // Rebuilds the sample tables of an MP4 without moov (`unfinished` says so); the reason when
    // it cannot be done.
    QString RepairMp4(QFile& source, const QString& path, const QString& unfinished);
    QString FindStreams();
    // The pictures' rate, set right when a damaged header declares one no camera films at.
    AVRational VideoRate();
    // Where the last indexed picture ends; 0 without an index.
    qint64 IndexedEnd() const;
    // How long the indexed sound lasts, by its bytes (its timestamps may count bytes); 0 when
    // unknown.
    qint64 IndexedSoundLength() const;
    // One picture's time, a second when the frame rate is unknown.
    qint64 FrameSpan() const;
    bool Interrupted() const;
    static int InterruptCallback(void* self);

    std::unique_ptr<RepairedView> m_view;
    AVIOContext* m_io = nullptr;
    AVFormatContext* m_format = nullptr;
    AVStream* m_video = nullptr;
    AVStream* m_audio = nullptr;
    MediaInfo m_info;
    qint64 m_duration = 0;
    qint64 m_startTime = 0;
    std::atomic<bool> m_interrupted = false;
    const std::atomic<bool>* m_cancel = nullptr; // while opening
};
