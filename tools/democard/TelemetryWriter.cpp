#include "tools/democard/TelemetryWriter.h"

#include <QFile>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <random>

namespace {

constexpr double KilometresPerKnot = 1.852;
constexpr int GsfHeaderSize = 524;
constexpr int GsfRecordSize = 32;

QString NmeaCoordinate(double degrees, int degreeDigits) {
    const double whole = std::floor(degrees);
    const double minutes = (degrees - whole) * 60.0;
    return QStringLiteral("%1%2")
        .arg(int(whole), degreeDigits, 10, QLatin1Char('0'))
        .arg(minutes, 7, 'f', 4, QLatin1Char('0'));
}

QByteArray WithChecksum(const QByteArray& body) {
    quint8 sum = 0;
    for (char c : body)
        sum ^= quint8(c);
    return '$' + body + '*' + QByteArray::number(sum, 16).toUpper().rightJustified(2, '0');
}

QString WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QStringLiteral("cannot write %1").arg(path);
    return {};
}

} // namespace

QString WriteGps(const QString& path, const DemoRecording& recording,
                 const DemoCardOptions& options, int index) {
    QByteArray text = "QX5 GPS LOG\r\nVERSION 1.0\r\nSTART " +
                      recording.localStart.toString(QStringLiteral("yyyyMMdd_HHmmss")).toLatin1() +
                      "\r\n";
    // Each recording continues the drive a little further north-east of the last.
    double latitude = 37.5520 + index * 0.004;
    double longitude = 126.9761 + index * 0.005;
    double course = 30.0 + index * 25.0;
    const QDateTime utcStart = recording.localStart.toUTC();
    for (int second = 0; second < options.seconds; ++second) {
        const double knots = 18.0 + 12.0 * std::sin((second + index * 7) / 6.0);
        course = std::fmod(course + 4.0 * std::sin(second / 9.0) + 360.0, 360.0);
        const double metres = knots * KilometresPerKnot / 3.6;
        latitude += metres * std::cos(course * M_PI / 180.0) / 111320.0;
        longitude += metres * std::sin(course * M_PI / 180.0) /
                     (111320.0 * std::cos(latitude * M_PI / 180.0));
        // The receiver has no fix in the first second and, on longer drives, loses it once.
        const bool valid =
            second >= 1 && (options.seconds < 4 || second != options.seconds / 2 + 1);
        const QDateTime when = utcStart.addSecs(second);
        const QByteArray body = QStringLiteral("GPRMC,%1.000,%2,%3,N,%4,E,%5,%6,%7,,,A")
                                    .arg(when.toString(QStringLiteral("HHmmss")), valid ? "A" : "V",
                                         NmeaCoordinate(latitude, 2), NmeaCoordinate(longitude, 3))
                                    .arg(knots, 0, 'f', 1)
                                    .arg(course, 0, 'f', 1)
                                    .arg(when.toString(QStringLiteral("ddMMyy")))
                                    .toLatin1();
        text += QByteArray::number(second * 1000 + 120) + ':' + WithChecksum(body) + "\r\n";
    }
    return WriteAll(path, text);
}

QString WriteGsf(const QString& path, const DemoRecording& recording,
                 const DemoCardOptions& options, int index) {
    QByteArray bytes(GsfHeaderSize, '\0');
    std::memcpy(bytes.data(), "QX5 GSENSOR", 11);
    std::mt19937 noise(unsigned(index) + 1);
    std::uniform_int_distribution<int> jitter(-6, 6);
    const int samples = options.seconds * 10;
    for (int sample = 0; sample < samples; ++sample) {
        qint32 x = jitter(noise), y = jitter(noise), z = 20 + jitter(noise);
        if (recording.isEvent && std::abs(sample - samples / 2) < 4) {
            // The jolt goes past the sensor's range so that readers see it clamped.
            const int strength = 4 - std::abs(sample - samples / 2);
            x += 80 * strength;
            y -= 45 * strength;
            z += 30 * strength;
        }
        char record[GsfRecordSize] = {};
        qToLittleEndian<quint32>(quint32(sample * 100), record);
        qToLittleEndian<qint32>(x, record + 8);
        qToLittleEndian<qint32>(y, record + 12);
        qToLittleEndian<qint32>(z, record + 16);
        bytes.append(record, GsfRecordSize);
    }
    return WriteAll(path, bytes);
}
