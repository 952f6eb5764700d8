#include "fuzz/FuzzCheck.h"
#include "playback/UnfinishedAvi.h"
#include "playback/UnfinishedMp4.h"

#include <QBuffer>
#include <QtEndian>

// The container checks that run before FFmpeg sees a recording: the AVI repair and the MP4 box
// walk. A repaired view must read whole and be a finished AVI itself.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    const std::atomic<bool> never = false;
    const AviCheck check = CheckAvi(file, never);
    if (check.repair) {
        FUZZ_CHECK(check.error.isEmpty());
        const AviRepair& repair = *check.repair;
        FUZZ_CHECK(repair.keptBytes <= bytes.size());
        QByteArray view(repair.Size(), '\0');
        FUZZ_CHECK(repair.Read(file, 0, view.data(), view.size()) == view.size());
        FUZZ_CHECK(qFromLittleEndian<quint32>(view.constData() + 4) == quint32(view.size() - 8));
        QBuffer repaired(&view);
        repaired.open(QIODevice::ReadOnly);
        const AviCheck again = CheckAvi(repaired, never);
        FUZZ_CHECK(!again.repair && again.error.isEmpty());
    }
    UnfinishedMp4Reason(file);
    return 0;
}
