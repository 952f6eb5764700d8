#include "library/ui/CardScanner.h"

CardScanner::~CardScanner() {
    Cancel();
}

void CardScanner::Start(const QString& libraryRoot, bool folderMode, const EventRules& rules) {
    Cancel();
    if (libraryRoot.isEmpty())
        return;
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    m_cancel = cancel;
    // Reports of a cancelled scan are dropped on arrival: a newer scan may be under way.
    auto report = [this, cancel](auto deliver) {
        QMetaObject::invokeMethod(this, [cancel, deliver] {
            if (!*cancel)
                deliver();
        });
    };
    m_thread = std::thread([=, this] {
        const std::optional<CardScan> scan = ScanCard(
            libraryRoot, folderMode, rules, DefaultScanCachePath(libraryRoot, folderMode),
            [&](int done, int total) {
                // Often enough for a counter that people read, not once per recording.
                if (done % 25 == 0 || done == total)
                    report([=, this] { emit progress(done, total); });
            },
            *cancel);
        if (scan)
            report([this, scan] { emit scanned(*scan); });
    });
}

void CardScanner::Cancel() {
    if (m_cancel)
        *m_cancel = true;
    if (m_thread.joinable())
        m_thread.join();
}
