#include "playback/MediaOpener.h"

#include "playback/MediaFile.h"

#include <condition_variable>
#include <mutex>
#include <thread>

struct MediaOpener::Job {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::unique_ptr<MediaFile> file;
    QString error;
    std::function<void()> notify;
    std::atomic<bool> cancel = false;
};

MediaOpener::MediaOpener(const QString& path, std::function<void()> finished)
    : m_job(std::make_shared<Job>()) {
    m_job->notify = std::move(finished);
    std::thread([job = m_job, path] {
        QString error;
        std::unique_ptr<MediaFile> file = MediaFile::Open(path, error, &job->cancel);
        std::lock_guard lock(job->mutex);
        job->file = std::move(file);
        job->error = error;
        job->finished = true;
        job->done.notify_all();
        if (job->notify)
            job->notify();
    }).detach();
}

MediaOpener::~MediaOpener() {
    m_job->cancel = true;
    std::lock_guard lock(m_job->mutex);
    m_job->notify = nullptr;
}

bool MediaOpener::Wait(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_job->mutex);
    return m_job->done.wait_for(lock, timeout, [this] { return m_job->finished; });
}

std::unique_ptr<MediaFile> MediaOpener::Take(QString& error) {
    std::lock_guard lock(m_job->mutex);
    error = m_job->error;
    return std::move(m_job->file);
}
