#include "tests/support/RunCli.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// A recording's telemetry with two valid fixes, one without a fix, and two G-sensor samples.
class TelemetryCliTest : public testing::Test {
protected:
    void SetUp() override {
        QFile gps(m_folder.filePath("20130315_083000_NOR.gps"));
        ASSERT_TRUE(gps.open(QIODevice::WriteOnly));
        gps.write("QX5 GPS LOG\r\nVERSION 1.0\r\nSTART\r\n"
                  "123:$GPRMC,083015.000,A,3733.1234,N,12658.5678,E,10.0,45.5,150313,,,A\r\n"
                  "1123:$GPRMC,083016.000,V,3733.1234,N,12658.5678,E,10.0,45.5,150313,,,A\r\n"
                  "2123:$GPRMC,083017.000,A,3733.1300,S,12658.5700,W,0.0,46.0,150313,,,A\r\n");
        QFile gsf(m_folder.filePath("20130315_083000_NOR.gsf"));
        ASSERT_TRUE(gsf.open(QIODevice::WriteOnly));
        QByteArray bytes(524 + 64, '\0');
        qToLittleEndian<qint32>(-7, bytes.data() + 524 + 8);
        qToLittleEndian<quint32>(100, bytes.data() + 524 + 32);
        qToLittleEndian<qint32>(999, bytes.data() + 524 + 32 + 16);
        gsf.write(bytes);
    }
    QString Recording() const { return m_folder.filePath("20130315_083000_NOR.AVI"); }

    QTemporaryDir m_folder;
};

TEST_F(TelemetryCliTest, PrintsFixesAndSamplesAsJson) {
    const CliResult result = RunCli({"telemetry", Recording()}, {"TZ=UTC0"});
    ASSERT_EQ(result.exitCode, 0);
    const QJsonObject telemetry = QJsonDocument::fromJson(result.out).object();
    const QJsonArray fixes = telemetry["fixes"].toArray();
    ASSERT_EQ(fixes.size(), 2);
    const QJsonObject expected{{"year", 13},
                               {"month", 3},
                               {"day", 15},
                               {"hour", 17},
                               {"minute", 30},
                               {"second", 15},
                               {"valid", 1},
                               {"latitude", 3733.1234},
                               {"longitude", 12658.5678},
                               {"speed", double(18.52f)},
                               {"course", 45.5},
                               {"timeStamp", 1363368615},
                               {"offset", 123}};
    EXPECT_EQ(fixes[0].toObject(), expected);
    EXPECT_EQ(fixes[1]["latitude"].toDouble(), -3733.13);
    EXPECT_EQ(fixes[1]["offset"].toInt(), 2123);
    const QJsonArray samples = telemetry["samples"].toArray();
    ASSERT_EQ(samples.size(), 2);
    EXPECT_EQ(samples[0].toObject(), (QJsonObject{{"x", -7}, {"y", 0}, {"z", 0}, {"offset", 0}}));
    EXPECT_EQ(samples[1].toObject(),
              (QJsonObject{{"x", 0}, {"y", 0}, {"z", 120}, {"offset", 100}}));
}

TEST_F(TelemetryCliTest, PrintsTheFixIndexForAPosition) {
    const std::pair<const char*, const char*> cases[] = {{"0", "{\"index\": 0}\n"},
                                                         {"123", "{\"index\": 0}\n"},
                                                         {"124", "{\"index\": 1}\n"},
                                                         {"2124", "{\"index\": null}\n"}};
    for (const auto& [position, line] : cases) {
        const CliResult result = RunCli({"telemetry", Recording(), "--at", position}, {"TZ=UTC0"});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out, QByteArray(line)) << position;
    }
}

TEST_F(TelemetryCliTest, ExportsGpxAndCsv) {
    const QString gpx = m_folder.filePath("out/track.gpx");
    const QString csv = m_folder.filePath("gsensor.csv");
    QDir(m_folder.path()).mkdir("out");
    ASSERT_EQ(RunCli({"export", Recording(), "--gpx", gpx, "--csv", csv}, {"TZ=UTC0"}).exitCode, 0);
    QFile track(gpx);
    ASSERT_TRUE(track.open(QIODevice::ReadOnly));
    const QByteArray xml = track.readAll();
    EXPECT_TRUE(xml.contains("<trkpt lat=\"37.5520567\" lon=\"126.9761300\">"));
    EXPECT_TRUE(xml.contains("<time>2013-03-15T08:30:15Z</time>"));
    EXPECT_TRUE(xml.contains("<trkpt lat=\"-37.5521667\" lon=\"-126.9761667\">"));
    EXPECT_EQ(xml.count("<trkpt"), 2);
    QFile samples(csv);
    ASSERT_TRUE(samples.open(QIODevice::ReadOnly));
    EXPECT_EQ(samples.readAll(), QByteArray("offset_ms,x,y,z\n0,-7,0,0\n100,0,0,120\n"));

    // Without the telemetry file there is nothing to export: an error, and no file.
    const QString none = m_folder.filePath("none.gpx");
    EXPECT_EQ(
        RunCli({"export", m_folder.filePath("other.AVI"), "--gpx", none}, {"TZ=UTC0"}).exitCode, 1);
    EXPECT_FALSE(QFile::exists(none));
    EXPECT_EQ(
        RunCli({"export", Recording(), "--csv", m_folder.filePath("no/such/dir.csv")}, {"TZ=UTC0"})
            .exitCode,
        1);
}

TEST(TelemetryCli, ReadsTheDemoCardsEventJolt) {
    const QDir recordings(qEnvironmentVariable("KARVENNA_TEST_CARD") + "/Recordings");
    const QStringList events = recordings.entryList({"*_EVT.*"}, QDir::Files);
    ASSERT_FALSE(events.isEmpty());
    const CliResult result =
        RunCli({"telemetry", recordings.filePath(events.first())}, {"TZ=UTC0"});
    ASSERT_EQ(result.exitCode, 0);
    const QJsonArray samples = QJsonDocument::fromJson(result.out)["samples"].toArray();
    ASSERT_EQ(samples.size(), 30); // three seconds, ten a second
    int largest = 0;
    for (const QJsonValue& sample : samples)
        for (const char* axis : {"x", "y", "z"})
            largest = std::max(largest, std::abs(sample[axis].toInt()));
    EXPECT_EQ(largest, 120);
}

TEST(TelemetryCli, WrongUseExitsWithUsage) {
    const QStringList wrong[] = {{"telemetry"},
                                 {"telemetry", "a.AVI", "b.AVI"},
                                 {"telemetry", "a.AVI", "--at", "soon"},
                                 {"telemetry", "a.AVI", "--at", "-1"},
                                 {"export", "a.AVI"},
                                 {"export", "a.AVI", "--gpx"}};
    for (const QStringList& args : wrong)
        EXPECT_EQ(RunCli(args).exitCode, 2) << args.join(' ').toStdString();
}

} // namespace
