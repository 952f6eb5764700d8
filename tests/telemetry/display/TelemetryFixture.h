#pragma once

#include "telemetry/RecordingTelemetry.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

// A recording's telemetry written to a folder of its own: the .gps lines after the three header
// lines, and .gsf samples as (offset, x, y, z).
class TelemetryFixture {
public:
    struct Sample {
        quint32 offset;
        qint32 x, y, z;
    };

    QString Recording() const { return m_folder.filePath("20130315_083000_NOR.AVI"); }

    void WriteGps(const QByteArray& lines) const {
        QFile gps(m_folder.filePath("20130315_083000_NOR.gps"));
        gps.open(QIODevice::WriteOnly);
        gps.write("QX5 GPS LOG\r\nVERSION 1.0\r\nSTART\r\n" + lines);
    }

    void WriteGsf(std::initializer_list<Sample> samples) const {
        QByteArray bytes(524, '\0');
        for (const Sample& sample : samples) {
            QByteArray record(32, '\0');
            qToLittleEndian<quint32>(sample.offset, record.data());
            qToLittleEndian<qint32>(sample.x, record.data() + 8);
            qToLittleEndian<qint32>(sample.y, record.data() + 12);
            qToLittleEndian<qint32>(sample.z, record.data() + 16);
            bytes += record;
        }
        QFile gsf(m_folder.filePath("20130315_083000_NOR.gsf"));
        gsf.open(QIODevice::WriteOnly);
        gsf.write(bytes);
    }

    RecordingTelemetry Load() const {
        RecordingTelemetry telemetry;
        telemetry.Load(Recording());
        return telemetry;
    }

    // An RMC line at an offset with the given position and speed in knots.
    static QByteArray Fix(int offset, const char* position, const char* knots = "10.0") {
        return QByteArray::number(offset) + ":$GPRMC,083015.000,A," + position + "," + knots +
               ",45.5,150313,,,A\r\n";
    }

private:
    QTemporaryDir m_folder;
};
