#pragma once

#include "library/CardScan.h"

#include <QObject>
#include <atomic>
#include <memory>
#include <thread>

// Runs a card's scan (trips and driving events) on a thread of its own, so that a card of
// thousands of recordings leaves the window free; the cache makes a second scan of the same card
// quick. A new start or the scanner's end cancels the scan under way.
class CardScanner : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~CardScanner() override;

    void Start(const QString& libraryRoot, bool folderMode, const EventRules& rules);

signals:
    // On the scanner's thread (the window's), with the figures of the scan under way.
    void progress(int done, int total);
    void scanned(const CardScan& scan);

private:
    void Cancel();

    std::thread m_thread;
    std::shared_ptr<std::atomic<bool>> m_cancel;
};
