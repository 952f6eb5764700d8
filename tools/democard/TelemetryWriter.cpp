#include "tools/democard/TelemetryWriter.h"

#include <QFile>
#include <QTimeZone>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

namespace {

constexpr int CameraZoneSeconds = 9 * 3600;
constexpr double KilometresPerKnot = 1.852;
constexpr int GsfHeaderSize = 524;
constexpr int GsfRecordSize = 32;
constexpr int SamplesPerSecond = 10;
constexpr int MsPerSample = 1000 / SamplesPerSecond;

// The sensor at rest (z carries gravity) and the strength of the events laid over it, in the
// sensor's units. x runs along the car, y across it.
constexpr int RestZ = 20;
constexpr int BrakeStrength = 55;
constexpr int TurnStrength = 50;
constexpr int ImpactStrength = 160; // past the sensor's range, so that readers see it clamped
constexpr double BrakeDropKnots = 12.0;
constexpr int SpeedHeldAfterBrakeMs = 3000;
constexpr int SpeedRegainedMs = 5000;

// Samples [first, end) of a recording.
struct SampleSpan {
    int first;
    int end;
    bool Holds(int sample) const { return sample >= first && sample < end; }
};

// Event recordings brake hard early on and take a knock in the middle, the brake over before
// the knock also in the shortest recordings; Motion recordings turn sharply later on.
int ImpactSample(int samples) {
    return samples / 2;
}
SampleSpan BrakeSamples(int samples) {
    const int first = samples / 5;
    return {first, std::min(first + std::clamp(samples / 10, 6, 15), ImpactSample(samples) - 1)};
}
SampleSpan TurnSamples(int samples) {
    const int first = samples * 3 / 5;
    return {first, first + std::clamp(samples / 10, 6, 20)};
}
bool IsMotion(int index) {
    return index % 3 == 2;
}

// How much of the brake's speed drop shows at `ms`: it builds up over the brake, holds for a
// while and is regained.
double BrakeShare(const DemoRecording& recording, const DemoCardOptions& options, int ms) {
    if (!recording.isEvent)
        return 0.0;
    const SampleSpan brake = BrakeSamples(options.seconds * SamplesPerSecond);
    const int start = brake.first * MsPerSample, end = brake.end * MsPerSample;
    if (ms <= start)
        return 0.0;
    if (ms < end)
        return double(ms - start) / (end - start);
    if (ms < end + SpeedHeldAfterBrakeMs)
        return 1.0;
    return std::max(0.0, 1.0 - double(ms - end - SpeedHeldAfterBrakeMs) / SpeedRegainedMs);
}

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
                 const DemoCardOptions& options) {
    QByteArray text = "QX5 GPS LOG\r\nVERSION 1.0\r\nSTART " +
                      recording.localStart.toString(QStringLiteral("yyyyMMdd_HHmmss")).toLatin1() +
                      "\r\n";
    // Each trip starts a little further north-east of the last; a recording goes on from where
    // the one before it in its trip stopped, so the drive is followed from the trip's start.
    double latitude = 37.5520 + recording.trip * 0.004;
    double longitude = 126.9761 + recording.trip * 0.005;
    double course = 30.0 + recording.trip * 25.0;
    // The card's settings put the camera's clock at UTC+9 (vk_gps_timezone=900); the fixes tell
    // UTC, as receivers do.
    const QDateTime utcStart = QDateTime(recording.localStart.date(), recording.localStart.time(),
                                         QTimeZone(CameraZoneSeconds))
                                   .toUTC();
    const int end = recording.secondInTrip + options.seconds;
    for (int tripSecond = 0; tripSecond < end; ++tripSecond) {
        const double cruise = 18.0 + 12.0 * std::sin((tripSecond + recording.trip * 7) / 6.0);
        course = std::fmod(course + 4.0 * std::sin(tripSecond / 9.0) + 360.0, 360.0);
        // The track follows the cruising speed: a brake's few metres do not show on a map.
        const double metres = cruise * KilometresPerKnot / 3.6;
        latitude += metres * std::cos(course * M_PI / 180.0) / 111320.0;
        longitude += metres * std::sin(course * M_PI / 180.0) /
                     (111320.0 * std::cos(latitude * M_PI / 180.0));
        const int second = tripSecond - recording.secondInTrip;
        if (second < 0)
            continue;
        const int offsetMs = second * 1000 + 120;
        const double knots =
            std::max(0.0, cruise - BrakeDropKnots * BrakeShare(recording, options, offsetMs));
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
        text += QByteArray::number(offsetMs) + ':' + WithChecksum(body) + "\r\n";
    }
    return WriteAll(path, text);
}

QString WriteGsf(const QString& path, const DemoRecording& recording,
                 const DemoCardOptions& options, int index) {
    QByteArray bytes(GsfHeaderSize, '\0');
    std::memcpy(bytes.data(), "QX5 GSENSOR", 11);
    std::mt19937 noise(unsigned(index) + 1);
    std::uniform_int_distribution<int> jitter(-6, 6);
    const int samples = options.seconds * SamplesPerSecond;
    for (int sample = 0; sample < samples; ++sample) {
        qint32 x = jitter(noise), y = jitter(noise), z = RestZ + jitter(noise);
        if (recording.isEvent && BrakeSamples(samples).Holds(sample))
            x -= BrakeStrength;
        // A knock is over within two samples and shakes every axis.
        if (recording.isEvent &&
            (sample == ImpactSample(samples) || sample == ImpactSample(samples) + 1)) {
            const int share = sample == ImpactSample(samples) ? 2 : 1;
            x += ImpactStrength * share / 2;
            y -= ImpactStrength * share / 4;
            z += ImpactStrength * share / 6;
        }
        if (IsMotion(index) && TurnSamples(samples).Holds(sample))
            y += TurnStrength;
        char record[GsfRecordSize] = {};
        qToLittleEndian<quint32>(quint32(sample * MsPerSample), record);
        qToLittleEndian<qint32>(x, record + 8);
        qToLittleEndian<qint32>(y, record + 12);
        qToLittleEndian<qint32>(z, record + 16);
        bytes.append(record, GsfRecordSize);
    }
    return WriteAll(path, bytes);
}
