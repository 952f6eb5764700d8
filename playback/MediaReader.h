#pragma once

#include <QtGlobal>
#include <condition_variable>
#include <mutex>
#include <thread>

class MediaFile;
class PacketQueue;

// The reading thread: demuxes the file into the packet queues and performs seeks. Only the last
// seek asked for is performed; the ones it overtook are forgotten.
class MediaReader {
public:
    // `audio` is null when the sound is not played.
    MediaReader(MediaFile& file, PacketQueue& video, PacketQueue* audio);
    ~MediaReader();

    void Start();
    // Seeks to `position` and reads on with `serial`. The queues have been flushed by the caller.
    void Seek(int serial, qint64 position);
    void Abort();

private:
    void Run();
    void SeekFile(qint64 position);
    bool QueuesFull() const;
    void PushEndOfStream(int serial);

    MediaFile& file_;
    PacketQueue& video_;
    PacketQueue* audio_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    int requestedSerial_ = 1;
    qint64 requestedPosition_ = 0;
    bool aborted_ = false;
};
