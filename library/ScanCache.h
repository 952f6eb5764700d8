#pragma once

#include "library/RecordingSummary.h"
#include "telemetry/DrivingEvents.h"

#include <QHash>
#include <QList>
#include <QString>

// A file's size and modification time; a missing file has size -1.
struct FileStamp {
    qint64 size = -1;
    qint64 modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// What tells that a recording's summary is still right: its video and its telemetry files
// unchanged.
struct RecordingStamps {
    FileStamp video;
    FileStamp gps;
    FileStamp gsf;
    bool operator==(const RecordingStamps&) const = default;
};
RecordingStamps StampsOf(const QString& recordingPath);

struct CachedSummary {
    RecordingStamps stamps;
    RecordingSummary summary; // without its path, which the card gives
};

// The summaries a cache file holds by recording name; none when the file is missing, damaged,
// of another version or made under other event rules.
QHash<QString, CachedSummary> ReadScanCache(const QString& path, const EventRules& rules);
// Writes the whole cache (common/WholeFileWriter); empty on success, else why not.
QString WriteScanCache(const QString& path, const EventRules& rules,
                       const QList<CachedSummary>& summaries);
