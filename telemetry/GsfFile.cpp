#include "telemetry/GsfFile.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace {

constexpr qint64 HeaderSize = 524;
constexpr qint64 RecordSize = 32;
constexpr qint64 RecordsPerRead = 512;

// Where a record keeps its values; the rest of it is not read.
constexpr int OffsetAt = 0;
constexpr int XAt = 8;
constexpr int YAt = 12;
constexpr int ZAt = 16;

qint32 Axis(const char* record, int at) {
    return std::clamp(qFromLittleEndian<qint32>(record + at), -CGSensorData::Limit,
                      CGSensorData::Limit);
}

} // namespace

QList<CGSensorData> ReadGsfSamples(QIODevice& file) {
    QList<CGSensorData> samples;
    char buffer[RecordSize * RecordsPerRead];
    if (file.read(buffer, HeaderSize) != HeaderSize)
        return samples;
    qint64 filled = 0;
    qint64 got;
    while ((got = file.read(buffer + filled, qint64(sizeof buffer) - filled)) > 0) {
        filled += got;
        const qint64 whole = filled - filled % RecordSize;
        for (const char* record = buffer; record < buffer + whole; record += RecordSize)
            samples.append({Axis(record, XAt), Axis(record, YAt), Axis(record, ZAt),
                            qFromLittleEndian<quint32>(record + OffsetAt)});
        filled -= whole;
        std::memmove(buffer, buffer + whole, size_t(filled));
    }
    return samples;
}
