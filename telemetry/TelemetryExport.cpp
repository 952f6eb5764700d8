#include "telemetry/TelemetryExport.h"

#include <QDateTime>
#include <QSaveFile>
#include <QXmlStreamWriter>
#include <cmath>

namespace {

constexpr int HourShift = 9; // the fixes keep the hour nine hours ahead of UTC
constexpr double KilometresPerHourPerMetrePerSecond = 3.6;

const QString GpxNamespace = QStringLiteral("http://www.topografix.com/GPX/1/1");
const QString ExtensionNamespace =
    QStringLiteral("http://www.garmin.com/xmlschemas/TrackPointExtension/v2");
const QString SchemaLocations =
    QStringLiteral("http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd "
                   "http://www.garmin.com/xmlschemas/TrackPointExtension/v2 "
                   "http://www.garmin.com/xmlschemas/TrackPointExtensionv2.xsd");

// The fix's time in UTC, or an invalid one when the sentence carried no usable date and time.
QDateTime UtcTime(const CGPSData& fix) {
    const QDate date(1900 + (fix.year + 30) % 100 + 70, fix.month, fix.day);
    const QTime time(fix.hour - HourShift, fix.minute, fix.second);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time, Qt::UTC);
}

bool HasPosition(double latitude, double longitude) {
    return (latitude != 0.0 || longitude != 0.0) && std::abs(latitude) <= 90.0 &&
           std::abs(longitude) < 180.0;
}

void WriteTrackPoint(QXmlStreamWriter& xml, const CGPSData& fix) {
    const double latitude = DecimalDegrees(fix.latitude);
    const double longitude = DecimalDegrees(fix.longitude);
    if (!HasPosition(latitude, longitude))
        return;
    xml.writeStartElement(QStringLiteral("trkpt"));
    xml.writeAttribute(QStringLiteral("lat"), QString::number(latitude, 'f', 7));
    xml.writeAttribute(QStringLiteral("lon"), QString::number(longitude, 'f', 7));
    if (const QDateTime time = UtcTime(fix); time.isValid())
        xml.writeTextElement(QStringLiteral("time"), time.toString(Qt::ISODate));
    xml.writeStartElement(QStringLiteral("extensions"));
    xml.writeStartElement(ExtensionNamespace, QStringLiteral("TrackPointExtension"));
    xml.writeTextElement(ExtensionNamespace, QStringLiteral("speed"),
                         QString::number(fix.speed / KilometresPerHourPerMetrePerSecond, 'f', 3));
    xml.writeTextElement(ExtensionNamespace, QStringLiteral("course"),
                         QString::number(fix.course, 'f', 1));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
}

// QSaveFile::commit does not see a failure of its own final flush (a full card): flush first.
QString Commit(QSaveFile& file, bool written) {
    if (!written || !file.flush() || !file.commit())
        return QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString());
    return {};
}

} // namespace

double DecimalDegrees(double nmeaValue) {
    const double magnitude = std::abs(nmeaValue);
    const double degrees = std::floor(magnitude / 100.0);
    return std::copysign(degrees + (magnitude - degrees * 100.0) / 60.0, nmeaValue);
}

QString WriteGpxTrack(const QList<CGPSData>& fixes, const QString& trackName, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(GpxNamespace);
    xml.writeNamespace(ExtensionNamespace, QStringLiteral("gpxtpx"));
    xml.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"),
                       QStringLiteral("xsi"));
    xml.writeStartElement(GpxNamespace, QStringLiteral("gpx"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("creator"), QStringLiteral("VESKA Karvenna"));
    xml.writeAttribute(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"),
                       QStringLiteral("schemaLocation"), SchemaLocations);
    xml.writeStartElement(QStringLiteral("trk"));
    xml.writeTextElement(QStringLiteral("name"), trackName);
    xml.writeStartElement(QStringLiteral("trkseg"));
    for (const CGPSData& fix : fixes)
        WriteTrackPoint(xml, fix);
    xml.writeEndDocument();
    return Commit(file, !xml.hasError());
}

QString WriteGsensorCsv(const QList<CGSensorData>& samples, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    QByteArray text = "offset_ms,x,y,z\n";
    for (const CGSensorData& sample : samples)
        text += QByteArray::number(sample.offset) + ',' + QByteArray::number(sample.x) + ',' +
                QByteArray::number(sample.y) + ',' + QByteArray::number(sample.z) + '\n';
    return Commit(file, file.write(text) == text.size());
}
