#pragma once

#include <QByteArray>

struct AVCodecContext;

// Finds where one raw AAC frame ends, which the bytes themselves do not say: the shortest
// length the decoder reads a whole frame from is the frame's length.
class AacFramer {
public:
    // `audioSpecificConfig` as the reference's esds holds it.
    explicit AacFramer(const QByteArray& audioSpecificConfig);
    ~AacFramer();
    AacFramer(const AacFramer&) = delete;
    AacFramer& operator=(const AacFramer&) = delete;

    bool Usable() const { return m_decoder != nullptr; }
    // The length of the frame at the start of `bytes`; 0 when no frame ends within them.
    int FrameLength(const char* bytes, int available);
    // The longest frame AAC allows for the reference's channels.
    int MaxFrameLength() const { return m_maxFrame; }

private:
    bool DecodesWhole(const char* bytes, int length);

    AVCodecContext* m_decoder = nullptr;
    int m_maxFrame = 0;
};
