#pragma once

#include "telemetry/DrivingEvents.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

// A smooth drive of ten samples and one fix a second with events laid onto it at known times: the
// test card of events. The sensor rests at x 3, y -2, z 20 and trembles by up to 6 either way.
namespace InjectedDrive {

struct Injected {
    DrivingEventKind kind;
    int atMs;
    int lengthMs; // how long the axis stays away from rest
    int strength; // how far, at the strongest
};

constexpr int RestX = 3, RestY = -2, RestZ = 20;
constexpr int SampleMs = 100;
constexpr double CruiseKmh = 60.0;

inline QList<GSensorSample> Samples(int seconds, const QList<Injected>& events, unsigned seed = 1) {
    std::mt19937 noise(seed);
    std::uniform_int_distribution<int> jitter(-6, 6);
    QList<GSensorSample> samples;
    for (int ms = 0; ms < seconds * 1000; ms += SampleMs) {
        GSensorSample sample{RestX + jitter(noise), RestY + jitter(noise), RestZ + jitter(noise),
                             quint32(ms)};
        for (const Injected& event : events) {
            if (ms < event.atMs || ms >= event.atMs + event.lengthMs)
                continue;
            switch (event.kind) {
            case DrivingEventKind::Brake:
                sample.x -= event.strength;
                break;
            case DrivingEventKind::Acceleration:
                sample.x += event.strength;
                break;
            case DrivingEventKind::Turn:
                sample.y += event.strength;
                break;
            case DrivingEventKind::Impact:
                sample.x += event.strength;
                sample.y -= event.strength / 2;
                sample.z += event.strength / 3;
                break;
            }
        }
        for (int* value : {&sample.x, &sample.y, &sample.z})
            *value = std::clamp(*value, -GSensorSample::Limit, GSensorSample::Limit);
        samples.append(sample);
    }
    return samples;
}

// The speed a second, falling by `dropKmh` over each brake and climbing back over three seconds
// after each acceleration.
inline QList<double> Speeds(int seconds, const QList<Injected>& events, double dropKmh) {
    QList<double> speeds;
    for (int second = 0; second < seconds; ++second) {
        double speed = CruiseKmh;
        for (const Injected& event : events)
            if (event.kind == DrivingEventKind::Brake &&
                second * 1000 >= event.atMs + event.lengthMs)
                speed -= dropKmh;
        speeds.append(std::max(0.0, speed));
    }
    return speeds;
}

inline QString NmeaCoordinate(double degrees, int degreeDigits) {
    const double whole = std::floor(degrees);
    return QStringLiteral("%1%2")
        .arg(int(whole), degreeDigits, 10, QLatin1Char('0'))
        .arg((degrees - whole) * 60.0, 7, 'f', 4, QLatin1Char('0'));
}

// The .gps text of fixes a second along a line north, one fix at each second's start.
inline QByteArray GpsText(const QList<double>& speedsKmh, double latitude = 37.5) {
    QByteArray text = "QX5 GPS LOG\r\nVERSION 1.0\r\nSTART\r\n";
    for (int second = 0; second < speedsKmh.size(); ++second) {
        const QByteArray body = QStringLiteral("GPRMC,0000%1.000,A,%2,N,%3,E,%4,0.0,210513,,,A")
                                    .arg(second % 60, 2, 10, QLatin1Char('0'))
                                    .arg(NmeaCoordinate(latitude, 2), NmeaCoordinate(127.0, 3))
                                    .arg(speedsKmh[second] / 1.852, 0, 'f', 2)
                                    .toLatin1();
        latitude += speedsKmh[second] / 3.6 / 111320.0;
        text += QByteArray::number(second * 1000) + ":$" + body + "*00\r\n";
    }
    return text;
}

inline QByteArray GsfBytes(const QList<GSensorSample>& samples) {
    QByteArray bytes(524, '\0');
    for (const GSensorSample& sample : samples) {
        char record[32] = {};
        qToLittleEndian<quint32>(sample.offset, record);
        qToLittleEndian<qint32>(sample.x, record + 8);
        qToLittleEndian<qint32>(sample.y, record + 12);
        qToLittleEndian<qint32>(sample.z, record + 16);
        bytes.append(record, 32);
    }
    return bytes;
}

// An AVI whose main header says how long it plays (ten frames a second), padded to 2 KiB so that
// the list takes it.
inline QByteArray AviBytes(int lengthMs) {
    QByteArray bytes(2048, '\0');
    char* data = bytes.data();
    memcpy(data, "RIFF", 4);
    qToLittleEndian<quint32>(2040, data + 4);
    memcpy(data + 8, "AVI LIST", 8);
    qToLittleEndian<quint32>(4 + 8 + 56, data + 16);
    memcpy(data + 20, "hdrlavih", 8);
    qToLittleEndian<quint32>(56, data + 28);
    qToLittleEndian<quint32>(100000, data + 32);
    qToLittleEndian<quint32>(quint32(lengthMs / 100), data + 48);
    return bytes;
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A recording named `name` (YYYYMMDD_HHMMSS_KND.AVI) in `folder` with its telemetry files.
inline bool WriteRecording(const QString& folder, const QString& name, int seconds,
                           const QList<Injected>& events, double brakeDropKmh = 20.0,
                           bool withGps = true) {
    const QString base = folder + u'/' + name.chopped(3);
    // The drive goes on where the recording before it stopped.
    const int secondOfDay =
        name.mid(9, 2).toInt() * 3600 + name.mid(11, 2).toInt() * 60 + name.mid(13, 2).toInt();
    const double latitude = 37.0 + secondOfDay * CruiseKmh / 3.6 / 111320.0;
    return WriteFile(folder + u'/' + name, AviBytes(seconds * 1000)) &&
           WriteFile(base + "gsf", GsfBytes(Samples(seconds, events))) &&
           (!withGps ||
            WriteFile(base + "gps", GpsText(Speeds(seconds, events, brakeDropKmh), latitude)));
}

} // namespace InjectedDrive
