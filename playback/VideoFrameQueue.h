#pragma once

#include <QImage>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

extern "C" {
#include <libavutil/frame.h>
}

struct FrameDeleter {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;

// A decoded picture ready to be shown, with the decoded frame it came from for grabs and for
// converting it again when the window's size or the picture's look change.
struct VideoFrame {
    QImage picture;
    std::shared_ptr<const AVFrame> source;
    qint64 position = 0; // 100-ns units
    qint64 duration = 0;
    int serial = 0;
    int lookVersion = 0; // of the size and look `picture` was made with
};

// The few pictures between the video decoder and the window.
class VideoFrameQueue {
public:
    explicit VideoFrameQueue(std::function<void()> pushed) : m_pushed(std::move(pushed)) {}

    // Blocks while full; false when the frame's serial is no longer current or on abort.
    bool Push(VideoFrame frame);
    // The decoder has delivered every picture of `serial`.
    void EndOfStream(int serial);

    // Position and serial of the first picture; false when there is none.
    bool Peek(qint64& position, int& serial) const;
    VideoFrame Pop();
    // True when everything of `serial` has been delivered and taken.
    bool Ended(int serial) const;
    // Waits at most `timeout` for a picture of `serial`, or for its end; true when one came.
    bool WaitForPicture(int serial, std::chrono::milliseconds timeout);

    void Flush(int serial);
    void Abort();

    static constexpr int Capacity = 3;

private:
    // Set once at construction and called after the mutex is let go.
    std::function<void()> m_pushed;
    // The decoder thread pushes, the window's thread takes and flushes: the fields below are read
    // and written only under m_mutex.
    mutable std::mutex m_mutex;
    std::condition_variable m_space;   // the decoder waits on it for room
    std::condition_variable m_arrived; // a grab waits on it for the picture of a seek
    std::deque<VideoFrame> m_frames;
    int m_serial = 0;
    int m_endedSerial = -1;
    bool m_aborted = false;
};
