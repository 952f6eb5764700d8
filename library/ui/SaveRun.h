#pragma once

#include "library/RecordingSave.h"

#include <QObject>
#include <QPointer>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

class QProgressDialog;
class QWidget;

// One save of marked recordings. The files are copied on a thread of its own, so that the
// window goes on painting and playing; the window's thread shows one progress dialog for the
// whole save once it lasts more than a moment, asks about every name clash, and at the end says
// which files were not saved.
class SaveRun : public QObject, private SaveObserver {
    Q_OBJECT
public:
    // How long a save runs before its progress shows.
    static constexpr int MomentMs = 500;

    SaveRun(QList<SaveFile> files, QWidget* window);
    // Cancels a save still running and waits for its thread; no partial file stays behind.
    ~SaveRun() override;

    void Start();
    QProgressDialog* ProgressDialog() const;

signals:
    // The copying ended and the user was told what was not saved.
    void finished(const SaveReport& report);

private:
    // SaveObserver, called on the copying thread.
    void Progress(qint64 bytesDone, qint64 bytesTotal, const QString& file) override;
    ClashAnswer Clash(const SaveFile& file) override;
    bool CancelRequested() override { return m_cancel; }

    // On the window's thread.
    void ShowProgress();
    void AnswerClash(const SaveFile& file);
    void Finish();

    const QList<SaveFile> m_files;
    QWidget* m_window;
    QPointer<QProgressDialog> m_progress;
    std::thread m_thread;
    SaveReport m_report;
    std::atomic<bool> m_cancel = false;

    std::mutex m_mutex;
    std::condition_variable m_answered;
    std::optional<ClashAnswer> m_answer;
    qint64 m_bytesDone = 0;
    qint64 m_bytesTotal = 0;
    QString m_file;
    bool m_progressPosted = false;
};

// The text that tells which files of a save were not saved; empty when there is nothing to tell.
QString SaveReportText(const SaveReport& report);
