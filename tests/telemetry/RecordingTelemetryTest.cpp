#include "telemetry/RecordingTelemetry.h"

#include "telemetry/TelemetryFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray GpsText(std::initializer_list<int> offsets) {
    QByteArray text = "QX5 GPS LOG\r\nVERSION 1.0\r\nSTART\r\n";
    for (int offset : offsets)
        text += QByteArray::number(offset) +
                ":$GPRMC,083015.000,A,3733.1234,N,12658.5678,E,10.0,45.5,150313,,,A\r\n";
    return text;
}

QByteArray GsfBytes(int samples) {
    return QByteArray(524, '\0') + QByteArray(32 * samples, '\0');
}

class TextDataTest : public testing::Test {
protected:
    void Write(const QString& name, const QByteArray& bytes) {
        QFile file(m_folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString Path(const QString& name) const { return m_folder.filePath(name); }

    QTemporaryDir m_folder;
};

TEST_F(TextDataTest, FindsTheFilesBesideTheRecording) {
    Write("lower.gps", GpsText({1}));
    Write("lower.gsf", GsfBytes(1));
    Write("upper.GPS", GpsText({1, 2}));
    Write("upper.GSF", GsfBytes(2));
    Write("both.gps", GpsText({1, 2, 3}));
    Write("both.GPS", GpsText({1}));
    Write("both.gsf", GsfBytes(3));
    Write("shortgps", GpsText({1, 2, 3, 4})); // "short.ts" loses its last three characters
    QDir(m_folder.path()).mkdir("folder.gps");
    struct Case {
        const char* recording;
        qsizetype fixes;
        qsizetype samples;
    } cases[] = {{"lower.AVI", 1, 1}, {"upper.MP4", 2, 2},  {"both.avi", 3, 3},
                 {"short.ts", 4, 0},  {"folder.AVI", 0, 0}, {"missing.AVI", 0, 0}};
    for (const Case& test : cases) {
        RecordingTelemetry telemetry;
        telemetry.Load(Path(test.recording));
        EXPECT_EQ(telemetry.FixCount(), test.fixes) << test.recording;
        EXPECT_EQ(telemetry.SampleCount(), test.samples) << test.recording;
    }
}

TEST_F(TextDataTest, TelemetryNamesReplaceTheExtension) {
    Write("20240105_101010_NOR.gps", "");
    Write("20240105_101010_NOR.GSF", "");
    Write("x.gps", "");
    EXPECT_EQ(FindTelemetryFile(Path("20240105_101010_NOR.MP4"), GpsEnding),
              Path("20240105_101010_NOR.gps"));
    EXPECT_EQ(FindTelemetryFile(Path("20240105_101010_NOR.MP4"), GsfEnding),
              Path("20240105_101010_NOR.GSF"));
    EXPECT_EQ(FindTelemetryFile(Path("x.avi"), GpsEnding), Path("x.gps"));
    EXPECT_EQ(FindTelemetryFile(Path("x.avi"), GsfEnding), "") << "only files that exist";
}

TEST_F(TextDataTest, EachLoadReplacesEverything) {
    Write("full.gps", GpsText({1, 2}));
    Write("full.gsf", GsfBytes(5));
    Write("gpsonly.gps", GpsText({3}));
    RecordingTelemetry telemetry;
    telemetry.Load(Path("full.AVI"));
    ASSERT_EQ(telemetry.FixCount(), 2);
    telemetry.Load(Path("gpsonly.AVI"));
    EXPECT_EQ(telemetry.FixCount(), 1);
    EXPECT_EQ(telemetry.Fixes()[0].offset, 3);
    EXPECT_EQ(telemetry.SampleCount(), 0);
    for (const char* nothing : {"none.AVI", "", "ab"}) {
        telemetry.Load(Path("full.AVI"));
        telemetry.Load(nothing);
        EXPECT_EQ(telemetry.FixCount() + telemetry.SampleCount(), 0) << nothing;
    }
}

TEST_F(TextDataTest, FindFixTakesTheFirstFixAtOrAfterThePosition) {
    // Offsets out of order, and one that is negative: as an unsigned number it is the largest.
    Write("rec.gps", GpsText({1000, 3000, 2000, -5}));
    RecordingTelemetry telemetry;
    EXPECT_EQ(telemetry.FindFix(0), std::nullopt);
    telemetry.Load(Path("rec.AVI"));
    const std::pair<quint32, std::optional<int>> cases[] = {
        {0, 0},    {1000, 0}, {1001, 1},        {2500, 1},
        {3000, 1}, {3001, 3}, {4294967291u, 3}, {4294967292u, std::nullopt}};
    for (const auto& [position, index] : cases)
        EXPECT_EQ(telemetry.FindFix(position), index) << position;
}

} // namespace
