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

    MediaFile& m_file;
    PacketQueue& m_video;
    PacketQueue* m_audio;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_requestedSerial = 1;
    qint64 m_requestedPosition = 0;
    bool m_aborted = false;
};
