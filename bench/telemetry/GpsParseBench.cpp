// karvenna-gps-bench write FOLDER: writes a ten-hour .gps (one fix a second) and the same
// sentences without their offsets as FOLDER/ten-hours.nmea, for tools that read plain NMEA.
// karvenna-gps-bench parse FILE: reads a .gps as the player does and prints the fix count.
#include "telemetry/GpsFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <cmath>
#include <cstdio>

namespace {

constexpr int Seconds = 10 * 60 * 60;

QByteArray Coordinate(double degrees, int degreeDigits) {
    const double whole = std::floor(degrees);
    return QByteArray::number(int(whole)).rightJustified(degreeDigits, '0') +
           QByteArray::number((degrees - whole) * 60.0, 'f', 4).rightJustified(7, '0');
}

QByteArray Sentence(const QDateTime& when, double latitude, double longitude, double knots,
                    double course) {
    const QByteArray body =
        "GPRMC," + when.toString("HHmmss.zzz").toLatin1() + ",A," + Coordinate(latitude, 2) +
        ",N," + Coordinate(longitude, 3) + ",E," + QByteArray::number(knots, 'f', 1) + ',' +
        QByteArray::number(course, 'f', 1) + ',' + when.toString("ddMMyy").toLatin1() + ",,,A";
    quint8 sum = 0;
    for (char c : body)
        sum ^= quint8(c);
    return '$' + body + '*' + QByteArray::number(sum, 16).toUpper().rightJustified(2, '0');
}

bool WriteFiles(const QString& folder) {
    QByteArray gps = "QX5 GPS LOG\r\nVERSION 1.0\r\nSTART 20260601_060000\r\n";
    QByteArray nmea;
    const QDateTime start(QDate(2026, 5, 31), QTime(21, 0), Qt::UTC);
    double latitude = 35.1796, longitude = 129.0756, course = 0;
    for (int second = 0; second < Seconds; ++second) {
        const double knots = 30.0 + 20.0 * std::sin(second / 300.0);
        course = std::fmod(course + 3.0 * std::sin(second / 50.0) + 360.0, 360.0);
        const double metres = knots * 1.852 / 3.6;
        latitude += metres * std::cos(course * M_PI / 180.0) / 111320.0;
        longitude += metres * std::sin(course * M_PI / 180.0) / 88000.0;
        const QByteArray sentence =
            Sentence(start.addSecs(second), latitude, longitude, knots, course) + "\r\n";
        gps += QByteArray::number(second * 1000 + 120) + ':' + sentence;
        nmea += sentence;
    }
    for (const auto& [name, bytes] : {std::pair(QStringLiteral("ten-hours.gps"), gps),
                                      std::pair(QStringLiteral("ten-hours.nmea"), nmea)}) {
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const QByteArray mode = argc == 3 ? argv[1] : "";
    if (mode == "write")
        return WriteFiles(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    if (mode == "parse") {
        QFile file(QString::fromLocal8Bit(argv[2]));
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        std::printf("%lld fixes\n", static_cast<long long>(ReadGpsFixes(file).size()));
        return 0;
    }
    std::fprintf(stderr, "usage: karvenna-gps-bench write FOLDER | parse FILE\n");
    return 2;
}
