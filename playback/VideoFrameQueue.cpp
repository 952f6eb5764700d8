#include "playback/VideoFrameQueue.h"

bool VideoFrameQueue::Push(VideoFrame frame) {
    {
        std::unique_lock lock(mutex_);
        space_.wait(lock, [&] {
            return aborted_ || frame.serial != serial_ || int(frames_.size()) < Capacity;
        });
        if (aborted_ || frame.serial != serial_)
            return false;
        frames_.push_back(std::move(frame));
    }
    pushed_();
    return true;
}

void VideoFrameQueue::EndOfStream(int serial) {
    {
        std::lock_guard lock(mutex_);
        if (serial != serial_)
            return;
        endedSerial_ = serial;
    }
    pushed_();
}

bool VideoFrameQueue::Peek(qint64& position, int& serial) const {
    std::lock_guard lock(mutex_);
    if (frames_.empty())
        return false;
    position = frames_.front().position;
    serial = frames_.front().serial;
    return true;
}

VideoFrame VideoFrameQueue::Pop() {
    VideoFrame frame;
    {
        std::lock_guard lock(mutex_);
        if (frames_.empty())
            return frame;
        frame = std::move(frames_.front());
        frames_.pop_front();
    }
    space_.notify_all();
    return frame;
}

bool VideoFrameQueue::Ended(int serial) const {
    std::lock_guard lock(mutex_);
    return endedSerial_ == serial && frames_.empty();
}

void VideoFrameQueue::Flush(int serial) {
    {
        std::lock_guard lock(mutex_);
        frames_.clear();
        serial_ = serial;
        endedSerial_ = -1;
    }
    space_.notify_all();
}

void VideoFrameQueue::Abort() {
    {
        std::lock_guard lock(mutex_);
        aborted_ = true;
    }
    space_.notify_all();
}
