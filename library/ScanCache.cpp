#include "library/ScanCache.h"

#include "common/NativePath.h"
#include "common/WholeFileWriter.h"
#include "telemetry/TelemetryFiles.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace {

constexpr quint32 CacheMagic = 0x4B565343; // "KVSC"
// Raised whenever what a summary holds, or how it is found, changes.
constexpr quint32 CacheVersion = 1;
constexpr int MaxEventKind = int(DrivingEventKind::Turn);

FileStamp StampOf(const QString& path) {
    struct stat status;
    if (path.isEmpty() || stat(NativePath(path).constData(), &status) != 0)
        return {};
    return {qint64(status.st_size),
            qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec};
}

QDataStream& operator<<(QDataStream& stream, const FileStamp& stamp) {
    return stream << stamp.size << stamp.modifiedNs;
}
QDataStream& operator>>(QDataStream& stream, FileStamp& stamp) {
    return stream >> stamp.size >> stamp.modifiedNs;
}

QDataStream& operator<<(QDataStream& stream, const TrackPoint& point) {
    return stream << point.latitude << point.longitude;
}
QDataStream& operator>>(QDataStream& stream, TrackPoint& point) {
    return stream >> point.latitude >> point.longitude;
}

template <typename T> void WriteOptional(QDataStream& stream, const std::optional<T>& value) {
    stream << value.has_value();
    if (value)
        stream << *value;
}
template <typename T> void ReadOptional(QDataStream& stream, std::optional<T>& value) {
    bool present = false;
    stream >> present;
    value.reset();
    if (present)
        stream >> value.emplace();
}

QDataStream& operator<<(QDataStream& stream, const DrivingEvent& event) {
    stream << qint32(event.kind) << event.atMs << qint32(event.strength);
    WriteOptional(stream, event.speedBeforeKmh);
    WriteOptional(stream, event.speedAfterKmh);
    return stream;
}
QDataStream& operator>>(QDataStream& stream, DrivingEvent& event) {
    qint32 kind = 0, strength = 0;
    stream >> kind >> event.atMs >> strength;
    if (kind < 0 || kind > MaxEventKind)
        stream.setStatus(QDataStream::ReadCorruptData);
    event.kind = DrivingEventKind(kind);
    event.strength = strength;
    ReadOptional(stream, event.speedBeforeKmh);
    ReadOptional(stream, event.speedAfterKmh);
    return stream;
}

QDataStream& operator<<(QDataStream& stream, const EventRules& rules) {
    return stream << qint32(rules.brakeStrength) << qint32(rules.accelerationStrength)
                  << qint32(rules.turnStrength) << qint32(rules.impactStrength)
                  << rules.brakeSpeedDropKmh;
}

QByteArray RulesBytes(const EventRules& rules) {
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << rules;
    return bytes;
}

} // namespace

RecordingStamps StampsOf(const QString& recordingPath) {
    return {StampOf(recordingPath), StampOf(FindTelemetryFile(recordingPath, GpsEnding)),
            StampOf(FindTelemetryFile(recordingPath, GsfEnding))};
}

QHash<QString, CachedSummary> ReadScanCache(const QString& path, const EventRules& rules) {
    QFile file;
    if (!OpenNativeForReading(file, path))
        return {};
    QDataStream stream(&file);
    quint32 magic = 0, version = 0;
    QByteArray cachedRules;
    qint32 count = 0;
    stream >> magic >> version;
    if (magic != CacheMagic || version != CacheVersion)
        return {};
    stream >> cachedRules >> count;
    if (cachedRules != RulesBytes(rules) || count < 0)
        return {};
    QHash<QString, CachedSummary> cache;
    for (qint32 i = 0; i < count && stream.status() == QDataStream::Ok; ++i) {
        CachedSummary cached;
        RecordingSummary& summary = cached.summary;
        qint32 events = 0;
        stream >> summary.name >> cached.stamps.video >> cached.stamps.gps >> cached.stamps.gsf >>
            summary.lengthMs >> summary.hasTelemetry >> summary.distanceKm >> summary.maxSpeedKmh;
        ReadOptional(stream, summary.firstPoint);
        ReadOptional(stream, summary.lastPoint);
        stream >> events;
        for (qint32 e = 0; e < events && stream.status() == QDataStream::Ok; ++e)
            stream >> summary.events.emplaceBack();
        summary.start = RecordingStartTime(summary.name);
        cache.insert(summary.name, cached);
    }
    if (stream.status() != QDataStream::Ok || !stream.atEnd())
        return {};
    return cache;
}

QString WriteScanCache(const QString& path, const EventRules& rules,
                       const QList<CachedSummary>& summaries) {
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << CacheMagic << CacheVersion << RulesBytes(rules) << qint32(summaries.size());
    for (const auto& [stamps, summary] : summaries) {
        stream << summary.name << stamps.video << stamps.gps << stamps.gsf << summary.lengthMs
               << summary.hasTelemetry << summary.distanceKm << summary.maxSpeedKmh;
        WriteOptional(stream, summary.firstPoint);
        WriteOptional(stream, summary.lastPoint);
        stream << qint32(summary.events.size());
        for (const DrivingEvent& event : summary.events)
            stream << event;
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create the folder %1").arg(folder);
    return WriteWholeFile(path, bytes);
}
