#include "library/CardScan.h"

#include "common/LogCategories.h"
#include "library/RecordingCatalogue.h"
#include "library/RecordingLength.h"
#include "library/ScanCache.h"
#include "telemetry/RecordingTelemetry.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>
#include <algorithm>

namespace {

// Where a recording's telemetry ends: the length of one whose container never got its header.
qint64 TelemetryEndMs(const RecordingTelemetry& telemetry) {
    qint64 end = 0;
    for (const GSensorSample& sample : telemetry.Samples())
        end = std::max<qint64>(end, sample.offset);
    for (const GpsFix& fix : telemetry.Fixes())
        end = std::max<qint64>(end, fix.offset);
    return end;
}

} // namespace

RecordingSummary SummarizeRecording(const QString& path, const QString& name,
                                    const EventRules& rules) {
    RecordingTelemetry telemetry;
    telemetry.Load(path);
    RecordingSummary summary;
    summary.name = name;
    summary.path = path;
    summary.start = RecordingStartTime(name);
    summary.lengthMs = RecordingLengthMs(path).value_or(TelemetryEndMs(telemetry));
    summary.hasTelemetry = telemetry.SampleCount() > 0 || telemetry.FixCount() > 0;
    summary.distanceKm = TrackLengthKm(telemetry.Fixes());
    for (const GpsFix& fix : telemetry.Fixes()) {
        summary.maxSpeedKmh = std::max(summary.maxSpeedKmh, fix.speed);
        if (const std::optional<TrackPoint> point = FixPoint(fix)) {
            if (!summary.firstPoint)
                summary.firstPoint = point;
            summary.lastPoint = point;
        }
    }
    summary.events = FindDrivingEvents(telemetry.Samples(), telemetry.Fixes(), rules);
    return summary;
}

std::optional<CardScan> ScanCard(const QString& libraryRoot, bool folderMode,
                                 const EventRules& rules, const QString& cachePath,
                                 const ScanProgress& progress, const std::atomic<bool>& cancel) {
    const QList<RecordingEntry> entries =
        ListRecordings(libraryRoot, folderMode, KindAll, false, 0);
    const QHash<QString, CachedSummary> cache =
        cachePath.isEmpty() ? QHash<QString, CachedSummary>{} : ReadScanCache(cachePath, rules);
    CardScan scan;
    QList<CachedSummary> fresh;
    fresh.reserve(entries.size());
    for (const RecordingEntry& entry : entries) {
        if (cancel)
            return std::nullopt;
        const RecordingStamps stamps = StampsOf(entry.path);
        const auto cached = cache.constFind(entry.name);
        if (cached != cache.constEnd() && cached->stamps == stamps) {
            fresh.append(*cached);
            ++scan.readFromCache;
        } else {
            fresh.append({stamps, SummarizeRecording(entry.path, entry.name, rules)});
        }
        fresh.last().summary.path = entry.path;
        scan.recordings.append(fresh.last().summary);
        if (progress)
            progress(int(scan.recordings.size()), int(entries.size()));
    }
    const bool changed = scan.readFromCache != entries.size() || cache.size() != entries.size();
    if (!cachePath.isEmpty() && changed)
        if (const QString error = WriteScanCache(cachePath, rules, fresh); !error.isEmpty())
            qCWarning(lcLibrary, "cannot keep the scan of the card: %s", qUtf8Printable(error));
    scan.trips = GroupTrips(scan.recordings);
    return scan;
}

QString DefaultScanCachePath(const QString& libraryRoot, bool folderMode) {
    const QString folder = QDir(CatalogueFolder(libraryRoot, folderMode)).absolutePath();
    const QByteArray key =
        QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/karvenna/scan-") + QString::fromLatin1(key);
}

QList<GpsFix> TripFixes(const CardScan& scan, int trip) {
    QList<GpsFix> fixes;
    for (int index : scan.trips.value(trip).recordings) {
        RecordingTelemetry telemetry;
        telemetry.Load(scan.recordings[index].path);
        fixes += telemetry.Fixes();
    }
    return fixes;
}
