#pragma once

#include <QImage>

struct AVBufferPool;
struct AVFrame;
struct SwsContext;

// How the picture is shown: the decoder parameters of the window turned into pixels.
struct PictureLook {
    int brightness = 0;  // luma levels added, -150 to 150 from the window's slider
    bool turned = false; // by 180 degrees
    bool operator==(const PictureLook&) const = default;
};

// Size and look of the pictures to make, with a version that tells stale pictures apart.
struct PictureTarget {
    QSize size;
    PictureLook look;
    int version = 0;
};

// Converts decoded frames into BGRA pictures (QImage::Format_RGB32) of any size. One per thread.
// The pictures' pixels come from a pool: playback makes one picture per frame, and fresh memory
// for each costs page faults on every frame.
// A frame is first brought to 8-bit 4:2:0 of the picture's size (halved by averaging, then
// scaled by swscale), then coloured by libyuv: swscale's own colouring costs several times more.
class FrameConverter {
public:
    FrameConverter() = default;
    ~FrameConverter();
    FrameConverter(const FrameConverter&) = delete;
    FrameConverter& operator=(const FrameConverter&) = delete;

    // Null image when the frame cannot be converted.
    QImage Convert(const AVFrame* frame, QSize size, const PictureLook& look);

private:
    QImage PooledPicture(QSize size);
    // The frame halved by averaging when the picture is at most half its size, else the frame:
    // the scaler then reads a quarter of the pixels, and this halving costs far less than that.
    const AVFrame* Halved(const AVFrame* frame, QSize size);
    // The frame as 8-bit 4:2:0 planes of `size` in the frame's own luma range: the frame itself
    // when it is that already. Null when it cannot be scaled.
    const AVFrame* Scaled(const AVFrame* frame, QSize size, bool fullRange);

    AVBufferPool* m_pool = nullptr;
    qsizetype m_poolBytes = 0; // of each buffer of m_pool
    // What the scaling context was made for. A context made anew may come at the address of the
    // one it replaced: only this tells them apart.
    struct ScaleSetting {
        int width = 0, height = 0, format = -1;
        QSize size;
        bool fullRange = false;
        bool operator==(const ScaleSetting&) const = default;
    };
    SwsContext* m_context = nullptr;
    ScaleSetting m_setting;
    // Reused for every frame of one size.
    AVFrame* m_halved = nullptr;
    AVFrame* m_scaled = nullptr;
};
