#include "telemetry/TelemetryExport.h"

#include "common/WholeFileWriter.h"

#include <QDateTime>
#include <QXmlStreamWriter>
#include <cmath>
#include <optional>

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
QDateTime UtcTime(const GpsFix& fix) {
    const QDate date(1900 + (fix.year + 30) % 100 + 70, fix.month, fix.day);
    const QTime time(fix.hour - HourShift, fix.minute, fix.second);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time, Qt::UTC);
}

// GPX wants -90 <= lat <= 90 and -180 <= lon < 180 of the numbers as written, so the range is
// tested after the rounding to seven decimals.
struct Position {
    QString latitude;
    QString longitude;
};

std::optional<Position> WrittenPosition(const GpsFix& fix) {
    if (fix.latitude == 0.0 && fix.longitude == 0.0) // a sentence cut short
        return std::nullopt;
    Position position{QString::number(DecimalDegrees(fix.latitude), 'f', 7),
                      QString::number(DecimalDegrees(fix.longitude), 'f', 7)};
    const double latitude = position.latitude.toDouble();
    const double longitude = position.longitude.toDouble();
    if (std::abs(latitude) > 90.0 || longitude < -180.0 || longitude >= 180.0)
        return std::nullopt;
    return position;
}

// The course as written, when it lies in the range GPX allows (0 <= course < 360).
std::optional<QString> WrittenCourse(double course) {
    const QString text = QString::number(course, 'f', 1);
    const double written = text.toDouble();
    if (written < 0.0 || written >= 360.0)
        return std::nullopt;
    return text;
}

void WriteTrackPoint(QXmlStreamWriter& xml, const GpsFix& fix) {
    const std::optional<Position> position = WrittenPosition(fix);
    if (!position)
        return;
    xml.writeStartElement(QStringLiteral("trkpt"));
    xml.writeAttribute(QStringLiteral("lat"), position->latitude);
    xml.writeAttribute(QStringLiteral("lon"), position->longitude);
    if (const QDateTime time = UtcTime(fix); time.isValid())
        xml.writeTextElement(QStringLiteral("time"), time.toString(Qt::ISODate));
    xml.writeStartElement(QStringLiteral("extensions"));
    xml.writeStartElement(ExtensionNamespace, QStringLiteral("TrackPointExtension"));
    if (fix.speed >= 0.0)
        xml.writeTextElement(
            ExtensionNamespace, QStringLiteral("speed"),
            QString::number(fix.speed / KilometresPerHourPerMetrePerSecond, 'f', 3));
    if (const std::optional<QString> course = WrittenCourse(fix.course))
        xml.writeTextElement(ExtensionNamespace, QStringLiteral("course"), *course);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
}

// XML 1.0 holds no control character but tab and the line ends, no U+FFFE or U+FFFF and no lone
// surrogate: a recording name may hold any of them. Controls are dropped, the rest shown as
// U+FFFD.
QString XmlText(const QString& text) {
    QString clean;
    for (const char32_t c : text.toUcs4()) {
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            continue;
        const char32_t shown = c == 0xFFFE || c == 0xFFFF || (c >= 0xD800 && c <= 0xDFFF)
                                   ? char32_t(QChar::ReplacementCharacter)
                                   : c;
        clean += QString::fromUcs4(&shown, 1);
    }
    return clean;
}

} // namespace

double DecimalDegrees(double nmeaValue) {
    const double magnitude = std::abs(nmeaValue);
    const double degrees = std::floor(magnitude / 100.0);
    return std::copysign(degrees + (magnitude - degrees * 100.0) / 60.0, nmeaValue);
}

QByteArray GpxTrackText(const QList<GpsFix>& fixes, const QString& trackName) {
    QByteArray text;
    QXmlStreamWriter xml(&text);
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
    xml.writeTextElement(QStringLiteral("name"), XmlText(trackName));
    xml.writeStartElement(QStringLiteral("trkseg"));
    for (const GpsFix& fix : fixes)
        WriteTrackPoint(xml, fix);
    xml.writeEndDocument();
    return xml.hasError() ? QByteArray() : text;
}

QByteArray GsensorCsvText(const QList<GSensorSample>& samples) {
    QByteArray text = "offset_ms,x,y,z\n";
    for (const GSensorSample& sample : samples)
        text += QByteArray::number(sample.offset) + ',' + QByteArray::number(sample.x) + ',' +
                QByteArray::number(sample.y) + ',' + QByteArray::number(sample.z) + '\n';
    return text;
}

QString WriteGpxTrack(const QList<GpsFix>& fixes, const QString& trackName, const QString& path) {
    const QByteArray text = GpxTrackText(fixes, trackName);
    if (text.isEmpty())
        return QStringLiteral("cannot form the GPX track of %1").arg(trackName);
    return WriteWholeFile(path, text);
}

QString WriteGsensorCsv(const QList<GSensorSample>& samples, const QString& path) {
    return WriteWholeFile(path, GsensorCsvText(samples));
}
