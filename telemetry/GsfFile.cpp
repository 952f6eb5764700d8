#include "telemetry/GsfFile.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>

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
    return std::clamp(qFromLittleEndian<qint32>(record + at), -GSensorSample::Limit,
                      GSensorSample::Limit);
}

// As much as the file holds up to `size` bytes, however the device hands it out.
qint64 ReadFully(QIODevice& file, char* data, qint64 size) {
    qint64 total = 0;
    qint64 got;
    while (total < size && (got = file.read(data + total, size - total)) > 0)
        total += got;
    return total;
}

} // namespace

QList<GSensorSample> ReadGsfSamples(QIODevice& file) {
    QList<GSensorSample> samples;
    char buffer[RecordSize * RecordsPerRead];
    if (ReadFully(file, buffer, HeaderSize) != HeaderSize)
        return samples;
    qint64 got;
    do {
        got = ReadFully(file, buffer, qint64(sizeof buffer));
        for (const char* record = buffer; record + RecordSize <= buffer + got; record += RecordSize)
            samples.append({Axis(record, XAt), Axis(record, YAt), Axis(record, ZAt),
                            qFromLittleEndian<quint32>(record + OffsetAt)});
    } while (got == qint64(sizeof buffer));
    return samples;
}
