#pragma once

#include <QtGlobal>
#include <condition_variable>
#include <deque>
#include <mutex>

struct AVPacket;

// Packets of one stream from the reader to its decoder. Every seek starts a new serial: packets
// of an older serial are dropped on the way in, so a decoder never sees stale data.
class PacketQueue {
public:
    struct Item {
        AVPacket* packet = nullptr; // owned by the receiver; null marks the end of the stream
        int serial = 0;
        qint64 seekTarget = 0; // position the serial started at
    };

    ~PacketQueue();

    // Takes the packet (null for end of stream); dropped when `serial` is no longer current.
    void Push(AVPacket* packet, int serial);
    // Blocks until an item arrives; false once aborted.
    bool Pop(Item& item);
    // Drops everything queued; later pushes must carry `serial`.
    void Flush(int serial, qint64 seekTarget);
    void Abort();

    int Count() const;
    qint64 Bytes() const;

private:
    void ClearLocked();

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Item> m_items;
    qint64 m_bytes = 0;
    int m_serial = 0;
    qint64 m_seekTarget = 0;
    bool m_aborted = false;
};
