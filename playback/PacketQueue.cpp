#include "playback/PacketQueue.h"

extern "C" {
#include <libavcodec/packet.h>
}

PacketQueue::~PacketQueue() {
    ClearLocked();
}

void PacketQueue::Push(AVPacket* packet, int serial) {
    {
        std::lock_guard lock(m_mutex);
        if (!m_aborted && serial == m_serial) {
            m_items.push_back({packet, serial, m_seekTarget});
            m_bytes += packet ? packet->size : 0;
            packet = nullptr;
        }
    }
    av_packet_free(&packet);
    m_changed.notify_one();
}

bool PacketQueue::Pop(Item& item) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_aborted || !m_items.empty(); });
    if (m_aborted)
        return false;
    item = m_items.front();
    m_items.pop_front();
    m_bytes -= item.packet ? item.packet->size : 0;
    return true;
}

void PacketQueue::Flush(int serial, qint64 seekTarget) {
    std::lock_guard lock(m_mutex);
    ClearLocked();
    m_serial = serial;
    m_seekTarget = seekTarget;
}

void PacketQueue::Abort() {
    {
        std::lock_guard lock(m_mutex);
        m_aborted = true;
    }
    m_changed.notify_all();
}

int PacketQueue::Count() const {
    std::lock_guard lock(m_mutex);
    return int(m_items.size());
}

qint64 PacketQueue::Bytes() const {
    std::lock_guard lock(m_mutex);
    return m_bytes;
}

void PacketQueue::ClearLocked() {
    for (Item& item : m_items)
        av_packet_free(&item.packet);
    m_items.clear();
    m_bytes = 0;
}
