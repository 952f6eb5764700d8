#include "telemetry/TelemetryExport.h"

#include "tests/common/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

const QString GpxNamespace = QStringLiteral("http://www.topografix.com/GPX/1/1");
const QString ExtensionNamespace =
    QStringLiteral("http://www.garmin.com/xmlschemas/TrackPointExtension/v2");

struct TrackPoint {
    double latitude = 0;
    double longitude = 0;
    QString time;
    double speed = -1;
};

// The track points of a GPX file, read as a map program would read them.
QList<TrackPoint> ReadTrack(const QString& path, QString& trackName) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QList<TrackPoint> points;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("gpx")) {
            EXPECT_EQ(xml.namespaceUri(), GpxNamespace);
            EXPECT_EQ(xml.attributes().value("version"), QLatin1String("1.1"));
        } else if (name == QLatin1String("name")) {
            trackName = xml.readElementText();
        } else if (name == QLatin1String("trkpt")) {
            EXPECT_EQ(xml.namespaceUri(), GpxNamespace);
            points.append({xml.attributes().value("lat").toDouble(),
                           xml.attributes().value("lon").toDouble(), QString(), -1});
        } else if (name == QLatin1String("time")) {
            points.last().time = xml.readElementText();
        } else if (name == QLatin1String("speed") && xml.namespaceUri() == ExtensionNamespace) {
            points.last().speed = xml.readElementText().toDouble();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return points;
}

GpsFix Fix(double latitude, double longitude, int hour, int day, int month, int year) {
    GpsFix fix;
    fix.valid = 1;
    fix.latitude = latitude;
    fix.longitude = longitude;
    fix.hour = hour;
    fix.minute = 30;
    fix.second = 15;
    fix.day = day;
    fix.month = month;
    fix.year = year;
    fix.speed = 36.0;
    return fix;
}

TEST(TelemetryExport, ConvertsSentenceCoordinatesToDegrees) {
    const std::pair<double, double> cases[] = {{3733.1234, 37.0 + 33.1234 / 60.0},
                                               {-12658.5678, -(126.0 + 58.5678 / 60.0)},
                                               {5.5, 5.5 / 60.0},
                                               {-0.3, -0.005},
                                               {0.0, 0.0},
                                               {9000.0, 90.0}};
    for (const auto& [nmea, degrees] : cases)
        EXPECT_NEAR(DecimalDegrees(nmea), degrees, 1e-12) << nmea;
}

TEST(TelemetryExport, GpxTrackHasDegreesUtcTimesAndSpeed) {
    const QTemporaryDir folder;
    const QString path = folder.filePath("track.gpx");
    const QList<GpsFix> fixes = {
        Fix(3733.1234, 12658.5678, 17, 15, 3, 13),
        Fix(-3733.1234, -12658.5678, 29, 31, 12, 13), // 20:30 UTC, 05:30 next day at +9
        Fix(0, 0, 17, 15, 3, 13),                     // a sentence cut short: no position
        Fix(3733.1234, 12658.5678, 17, 0, 0, 0),      // a position without a date
    };
    ASSERT_EQ(WriteGpxTrack(fixes, "20130315_083000_NOR", path), QString());
    QString trackName;
    const QList<TrackPoint> points = ReadTrack(path, trackName);
    EXPECT_EQ(trackName, QStringLiteral("20130315_083000_NOR"));
    ASSERT_EQ(points.size(), 3);
    EXPECT_NEAR(points[0].latitude, 37.5520567, 1e-7);
    EXPECT_NEAR(points[0].longitude, 126.9761300, 1e-7);
    EXPECT_EQ(points[0].time, QStringLiteral("2013-03-15T08:30:15Z"));
    EXPECT_DOUBLE_EQ(points[0].speed, 10.0); // 36 km/h
    EXPECT_NEAR(points[1].latitude, -37.5520567, 1e-7);
    EXPECT_NEAR(points[1].longitude, -126.9761300, 1e-7);
    EXPECT_EQ(points[1].time, QStringLiteral("2013-12-31T20:30:15Z"));
    EXPECT_EQ(points[2].time, QString());
}

// The limits hold for the numbers as written, after the rounding to seven decimals.
TEST(TelemetryExport, GpxKeepsEveryWrittenValueInItsRange) {
    const QTemporaryDir folder;
    const QString path = folder.filePath("track.gpx");
    QList<GpsFix> fixes = {
        Fix(3733.1234, 17959.99999999, 17, 15, 3, 13),   // rounds to 180: left out
        Fix(-3733.1234, -17959.99999999, 17, 15, 3, 13), // rounds to -180: kept
        Fix(9000.000000001, 12658.5678, 17, 15, 3, 13),  // rounds to 90: kept
        Fix(9000.00001, 12658.5678, 17, 15, 3, 13),      // beyond 90: left out
    };
    fixes[1].course = 359.96; // 360.0 as written: no course
    fixes[2].speed = -5.0;    // no speed
    ASSERT_EQ(WriteGpxTrack(fixes, "track", path), QString());
    QString trackName;
    const QList<TrackPoint> points = ReadTrack(path, trackName);
    ASSERT_EQ(points.size(), 2);
    EXPECT_EQ(points[0].longitude, -180.0);
    EXPECT_EQ(points[1].latitude, 90.0);
    EXPECT_EQ(points[1].speed, -1); // absent
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_FALSE(text.contains("course>360")) << text.constData();
    EXPECT_EQ(text.count("<gpxtpx:course>"), 1);
}

// A recording name may hold bytes that XML cannot: the track is still written, under a name
// without them.
TEST(TelemetryExport, GpxTrackNameLeavesOutWhatXmlCannotHold) {
    const QTemporaryDir folder;
    const QString path = folder.filePath("track.gpx");
    const QString name = QStringLiteral("2013\x01"
                                        "0315\x1b_NOR") +
                         QChar(0xDCE9) + QChar(0xFFFF);
    ASSERT_EQ(WriteGpxTrack({Fix(3733.1234, 12658.5678, 17, 15, 3, 13)}, name, path), QString());
    QString trackName;
    EXPECT_EQ(ReadTrack(path, trackName).size(), 1);
    EXPECT_EQ(trackName, QStringLiteral("20130315_NOR\uFFFD\uFFFD"));
}

TEST(TelemetryExport, CsvHasAHeaderAndOneLinePerSample) {
    const QTemporaryDir folder;
    const QString path = folder.filePath("gsensor.csv");
    ASSERT_EQ(WriteGsensorCsv({{1, -2, 120, 0}, {-120, 0, 5, 4000000000u}}, path), QString());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("offset_ms,x,y,z\n0,1,-2,120\n4000000000,-120,0,5\n"));
}

TEST(TelemetryExport, ReportsATargetItCannotWrite) {
    const QTemporaryDir folder;
    EXPECT_NE(WriteGsensorCsv({}, folder.filePath("missing/gsensor.csv")), QString());
    EXPECT_NE(WriteGpxTrack({}, "x", folder.filePath("missing/track.gpx")), QString());

    // A disk that fills up part-way leaves an earlier export whole.
    const QString csv = folder.filePath("gsensor.csv");
    const QString gpx = folder.filePath("track.gpx");
    ASSERT_EQ(WriteGsensorCsv({}, csv), QString());
    ASSERT_EQ(WriteGpxTrack({}, "x", gpx), QString());
    const QList<GSensorSample> samples(1000, {1, 2, 3, 100});
    const QList<GpsFix> fixes(1000, Fix(3733.1234, 12658.5678, 17, 15, 3, 13));
    {
        const FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.Active());
        EXPECT_NE(WriteGsensorCsv(samples, csv), QString());
        EXPECT_NE(WriteGpxTrack(fixes, "x", gpx), QString());
    }
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("offset_ms,x,y,z\n"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
              (QStringList{"gsensor.csv", "track.gpx"}));
}

} // namespace
