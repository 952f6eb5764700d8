#include "playback/VideoFrameQueue.h"

bool VideoFrameQueue::Push(VideoFrame frame) {
    {
        std::unique_lock lock(m_mutex);
        m_space.wait(lock, [&] {
            return m_aborted || frame.serial != m_serial || int(m_frames.size()) < Capacity;
        });
        if (m_aborted || frame.serial != m_serial)
            return false;
        m_frames.push_back(std::move(frame));
    }
    m_arrived.notify_all();
    m_pushed();
    return true;
}

void VideoFrameQueue::EndOfStream(int serial) {
    {
        std::lock_guard lock(m_mutex);
        if (serial != m_serial)
            return;
        m_endedSerial = serial;
    }
    m_arrived.notify_all();
    m_pushed();
}

bool VideoFrameQueue::Peek(qint64& position, int& serial) const {
    std::lock_guard lock(m_mutex);
    if (m_frames.empty())
        return false;
    position = m_frames.front().position;
    serial = m_frames.front().serial;
    return true;
}

VideoFrame VideoFrameQueue::Pop() {
    VideoFrame frame;
    {
        std::lock_guard lock(m_mutex);
        if (m_frames.empty())
            return frame;
        frame = std::move(m_frames.front());
        m_frames.pop_front();
    }
    m_space.notify_all();
    return frame;
}

bool VideoFrameQueue::Ended(int serial) const {
    std::lock_guard lock(m_mutex);
    return m_endedSerial == serial && m_frames.empty();
}

bool VideoFrameQueue::WaitForPicture(int serial, std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    m_arrived.wait_for(lock, timeout, [&] {
        return m_aborted || serial != m_serial || !m_frames.empty() || m_endedSerial == serial;
    });
    return serial == m_serial && !m_frames.empty();
}

void VideoFrameQueue::Flush(int serial) {
    {
        std::lock_guard lock(m_mutex);
        m_frames.clear();
        m_serial = serial;
        m_endedSerial = -1;
    }
    m_space.notify_all();
}

void VideoFrameQueue::Abort() {
    {
        std::lock_guard lock(m_mutex);
        m_aborted = true;
    }
    m_space.notify_all();
    m_arrived.notify_all();
}
