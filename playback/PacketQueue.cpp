#include "playback/PacketQueue.h"

extern "C" {
#include <libavcodec/packet.h>
}

PacketQueue::~PacketQueue() {
    ClearLocked();
}

void PacketQueue::Push(AVPacket* packet, int serial) {
    {
        std::lock_guard lock(mutex_);
        if (!aborted_ && serial == serial_) {
            items_.push_back({packet, serial, seekTarget_});
            bytes_ += packet ? packet->size : 0;
            packet = nullptr;
        }
    }
    av_packet_free(&packet);
    changed_.notify_one();
}

bool PacketQueue::Pop(Item& item) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return aborted_ || !items_.empty(); });
    if (aborted_)
        return false;
    item = items_.front();
    items_.pop_front();
    bytes_ -= item.packet ? item.packet->size : 0;
    return true;
}

void PacketQueue::Flush(int serial, qint64 seekTarget) {
    std::lock_guard lock(mutex_);
    ClearLocked();
    serial_ = serial;
    seekTarget_ = seekTarget;
}

void PacketQueue::Abort() {
    {
        std::lock_guard lock(mutex_);
        aborted_ = true;
    }
    changed_.notify_all();
}

int PacketQueue::Count() const {
    std::lock_guard lock(mutex_);
    return int(items_.size());
}

qint64 PacketQueue::Bytes() const {
    std::lock_guard lock(mutex_);
    return bytes_;
}

void PacketQueue::ClearLocked() {
    for (Item& item : items_)
        av_packet_free(&item.packet);
    items_.clear();
    bytes_ = 0;
}
