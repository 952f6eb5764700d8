#pragma once

#include <QImage>
#include <QString>
#include <QtGlobal>

struct AVAudioFifo;
struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVStream;
struct SwrContext;
struct SwsContext;

// Writes the clip: H.264 (libx264) pictures and AAC sound in an MP4. Pictures come as decoded,
// of any size, each with an overlay for its top left corner (OverlayBlend.h) and its time on the
// clip; sound as one continuous stream in PcmQueue's format (48 kHz, stereo, signed 16 bit).
// Every call returns an error text, empty on success.
class ClipEncoder {
public:
    static constexpr const char* Preset = "veryfast";

    ClipEncoder() = default;
    ~ClipEncoder();
    ClipEncoder(const ClipEncoder&) = delete;
    ClipEncoder& operator=(const ClipEncoder&) = delete;

    QString Open(const QString& path, QSize size, double framesPerSecond);
    QString AddPicture(const AVFrame& decoded, const QImage& overlay, qint64 clipUnits);
    // The last picture added, as encoded.
    const AVFrame& LastPicture() const { return *m_picture; }
    QString AddSound(const qint16* samples, int frames);
    // Drains both encoders and completes the file.
    QString Finish();

private:
    QString OpenVideo(QSize size, double framesPerSecond);
    QString OpenAudio();
    QString Fit(const AVFrame& decoded);
    QString EncodeSoundFrames(bool flush);
    QString Send(AVCodecContext* codec, AVStream* stream, const AVFrame* frame);

    QString m_path;
    AVFormatContext* m_format = nullptr;
    AVCodecContext* m_video = nullptr;
    AVCodecContext* m_audio = nullptr;
    AVStream* m_videoStream = nullptr;
    AVStream* m_audioStream = nullptr;
    SwsContext* m_scaler = nullptr;
    SwrContext* m_resampler = nullptr;
    AVAudioFifo* m_fifo = nullptr;
    AVFrame* m_picture = nullptr;
    AVFrame* m_sound = nullptr;
    qint64 m_lastPts = -1;
    qint64 m_soundPts = 0;
};
