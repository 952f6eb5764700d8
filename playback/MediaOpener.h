#pragma once

#include <QString>
#include <chrono>
#include <functional>
#include <memory>

class MediaFile;

// Opens a recording on a thread of its own, so that a slow or damaged file never holds the
// window's thread. The thread is let go, not joined, when the opener goes first: a card that
// hangs may keep it as long as it likes, and nothing is told any more.
class MediaOpener {
public:
    // `finished` is called on the opening thread once the result is there, unless the opener
    // has gone by then.
    MediaOpener(const QString& path, std::function<void()> finished);
    ~MediaOpener();
    MediaOpener(const MediaOpener&) = delete;
    MediaOpener& operator=(const MediaOpener&) = delete;

    // Waits at most `timeout` for the result; true when it is there.
    bool Wait(std::chrono::milliseconds timeout);
    // The opened file, or null with `error` saying why. Only once Wait said true.
    std::unique_ptr<MediaFile> Take(QString& error);

private:
    struct Job;
    std::shared_ptr<Job> m_job;
};
