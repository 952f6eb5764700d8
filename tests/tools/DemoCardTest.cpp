#include "tools/democard/FrameCode.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QDir Recordings() {
    return QDir(qEnvironmentVariable("KARVENNA_TEST_CARD") + QStringLiteral("/Recordings"));
}

QStringList RecordingNames() {
    static const QRegularExpression name(
        QStringLiteral("^\\d{8}_\\d{6}_(NOR|EVT|MOT)\\.(AVI|MP4)$"));
    QStringList names;
    for (const QFileInfo& file : Recordings().entryInfoList(QDir::Files))
        if (name.match(file.fileName()).hasMatch() && file.size() >= 1024)
            names << file.fileName();
    return names;
}

QString RunTool(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(DemoCard, HoldsAllKindsOnSeveralDaysInBothContainers) {
    const QStringList names = RecordingNames();
    ASSERT_EQ(names.size(), 6);
    QSet<QString> kinds, days, extensions;
    for (const QString& name : names) {
        kinds << name.mid(16, 3);
        days << name.left(8);
        extensions << name.right(3);
    }
    EXPECT_EQ(kinds, (QSet<QString>{"NOR", "EVT", "MOT"}));
    EXPECT_GE(days.size(), 2);
    EXPECT_EQ(extensions, (QSet<QString>{"AVI", "MP4"}));
}

TEST(DemoCard, HoldsEntriesThatAreNotRecordings) {
    const QDir recordings = Recordings();
    EXPECT_EQ(QDir(recordings.filePath("Backup")).entryList({"*.AVI", "*.MP4"}).size(), 1);
    qint64 tiny = 0;
    for (const QFileInfo& file : recordings.entryInfoList({"*.AVI"}, QDir::Files))
        if (file.size() < 1024)
            tiny = file.size();
    EXPECT_EQ(tiny, 1023);
    EXPECT_EQ(recordings.entryList({"*.txt"}, QDir::Files).size(), 1);
    const QDir config(qEnvironmentVariable("KARVENNA_TEST_CARD") + QStringLiteral("/Config"));
    EXPECT_TRUE(config.exists("setting.ini"));
    EXPECT_TRUE(config.exists("setting_pcm.ini"));
}

TEST(DemoCard, GpsFilesHoldChecksummedRmcLinesAfterAThreeLineHeader) {
    static const QRegularExpression line(QStringLiteral(
        "^(\\d+):\\$(GPRMC,\\d{6}\\.\\d{3},([AV]),\\d{4}\\.\\d{4},N,\\d{5}\\.\\d{4},E,"
        "\\d+\\.\\d,\\d+\\.\\d,\\d{6},,,A)\\*([0-9A-F]{2})$"));
    for (const QString& name : RecordingNames()) {
        QFile gps(Recordings().filePath(name.chopped(3) + "gps"));
        ASSERT_TRUE(gps.open(QIODevice::ReadOnly)) << name.toStdString();
        const QStringList lines =
            QString::fromLatin1(gps.readAll()).split("\r\n", Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 3 + 3) << name.toStdString();
        int invalid = 0;
        for (const QString& text : lines.mid(3)) {
            const auto match = line.match(text);
            ASSERT_TRUE(match.hasMatch()) << text.toStdString();
            quint8 sum = 0;
            for (QChar c : match.captured(2))
                sum ^= quint8(c.toLatin1());
            EXPECT_EQ(sum, match.captured(4).toUInt(nullptr, 16)) << text.toStdString();
            invalid += match.captured(3) == "V";
        }
        EXPECT_GE(invalid, 1);
    }
}

TEST(DemoCard, FixesTellUtcNineHoursBehindTheCamerasClock) {
    // The card's settings put the camera at UTC+9; a receiver's time is UTC.
    static const QRegularExpression rmc(QStringLiteral("GPRMC,(\\d{6})\\.\\d{3},.*,(\\d{6}),,,A"));
    for (const QString& name : RecordingNames()) {
        QFile gps(Recordings().filePath(name.chopped(3) + "gps"));
        ASSERT_TRUE(gps.open(QIODevice::ReadOnly)) << name.toStdString();
        const auto first = rmc.match(QString::fromLatin1(gps.readAll()));
        ASSERT_TRUE(first.hasMatch()) << name.toStdString();
        const QDateTime utc(QDate::fromString(first.captured(2), "ddMMyy").addYears(100),
                            QTime::fromString(first.captured(1), "HHmmss"), Qt::UTC);
        const QDateTime camera(QDate::fromString(name.left(8), "yyyyMMdd"),
                               QTime::fromString(name.mid(9, 6), "HHmmss"), Qt::UTC);
        EXPECT_EQ(utc.secsTo(camera), 9 * 3600) << name.toStdString();
    }
}

TEST(DemoCard, GsfFilesHoldTenRecordsASecondWithAJoltInEvents) {
    for (const QString& name : RecordingNames()) {
        QFile gsf(Recordings().filePath(name.chopped(3) + "gsf"));
        ASSERT_TRUE(gsf.open(QIODevice::ReadOnly));
        const QByteArray bytes = gsf.readAll();
        ASSERT_EQ(bytes.size(), 524 + 30 * 32) << name.toStdString();
        int strongest = 0;
        for (qsizetype at = 524; at < bytes.size(); at += 32)
            strongest =
                std::max(strongest, std::abs(qFromLittleEndian<qint32>(bytes.data() + at + 8)));
        if (name.contains("EVT"))
            EXPECT_GE(strongest, 120) << name.toStdString();
        else
            EXPECT_LT(strongest, 20) << name.toStdString();
    }
}

TEST(DemoCard, VideosAreH264WithSoundAndCarryTheirFrameNumber) {
    for (const QString& name : RecordingNames()) {
        const QString path = Recordings().filePath(name);
        const QString streams = RunTool("ffprobe", {"-v", "error", "-show_entries",
                                                    "stream=codec_name", "-of", "csv=p=0", path});
        EXPECT_EQ(streams.split('\n', Qt::SkipEmptyParts),
                  (QStringList{"h264", name.endsWith("MP4") ? "aac" : "pcm_s16le"}))
            << name.toStdString();
    }
    QTemporaryDir dir;
    const QString still = dir.filePath("frame.png");
    RunTool("ffmpeg", {"-v", "error", "-i", Recordings().filePath(RecordingNames().first()), "-vf",
                       "select=eq(n\\,17)", "-frames:v", "1", still});
    EXPECT_EQ(FrameCode::Read(QImage(still)), 17);
}

TEST(DemoCard, RefusesAFolderThatHoldsOtherFiles) {
    QTemporaryDir dir;
    QFile other(dir.filePath("keep.txt"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("mine");
    other.close();
    QProcess tool;
    tool.start(qEnvironmentVariable("KARVENNA_DEMOCARD"), {dir.path(), "--seconds", "1"});
    tool.waitForFinished();
    EXPECT_EQ(tool.exitCode(), 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"keep.txt"});
}

} // namespace
