#include "tests/playback/TestClips.h"
#include "tests/support/RunCli.h"
#include "tools/democard/FrameCode.h"

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

QJsonObject Probe(const QString& clip) {
    const CliResult result = RunCli({"probe", clip});
    EXPECT_EQ(result.exitCode, 0) << result.error.toStdString();
    return QJsonDocument::fromJson(result.out).object();
}

TEST(PlaybackCli, ProbeDescribesTheRecording) {
    const QJsonObject avi = Probe(Clips().avi);
    EXPECT_EQ(avi["duration_ms"].toInt(), ClipMs);
    EXPECT_EQ(avi["check"].toInt(), 1);
    const QJsonObject video = avi["video"].toObject();
    EXPECT_EQ(video["width"].toInt(), 192);
    EXPECT_EQ(video["height"].toInt(), 108);
    EXPECT_EQ(video["codec"].toString(), "h264");
    EXPECT_DOUBLE_EQ(video["frame_rate"].toDouble(), 10.0);
    const QJsonObject pcm = avi["audio"].toObject();
    EXPECT_EQ(pcm["codec"].toString(), "pcm_s16le");
    EXPECT_EQ(pcm["sample_rate"].toInt(), 48000);
    EXPECT_EQ(pcm["channels"].toInt(), 2);

    EXPECT_EQ(Probe(Clips().mp4)["audio"].toObject()["codec"].toString(), "aac");
    EXPECT_TRUE(Probe(Clips().videoOnly)["audio"].isNull());
    EXPECT_EQ(Probe(Clips().oddLength)["duration_ms"].toInt(), 3000);
}

TEST(PlaybackCli, GrabSavesTheFrameAtThePosition) {
    const QString out = Clips().folder + "/grab.jpg";
    for (const QString& clip : {Clips().avi, Clips().mp4}) {
        QFile::remove(out);
        const CliResult result = RunCli({"grab", clip, "--at", "2750", "-o", out});
        ASSERT_EQ(result.exitCode, 0) << result.error.toStdString();
        QImage image;
        ASSERT_TRUE(image.load(out, "JPEG"));
        EXPECT_EQ(image.size(), QSize(192, 108));
        EXPECT_EQ(FrameCode::Read(image), 27) << clip.toStdString();
    }
}

TEST(PlaybackCli, GrabFailsWithAMessage) {
    const QString out = Clips().folder + "/never.jpg";
    struct Case {
        QStringList args;
        int exitCode;
    };
    const Case cases[] = {
        {{"grab", Clips().folder + "/nothing.AVI", "--at", "0", "-o", out}, 1},
        {{"grab", Clips().avi, "--at", "5000", "-o", out}, 1},
        {{"grab", Clips().avi, "--at", "0", "-o", Clips().folder + "/no/such/folder/x.jpg"}, 1},
        {{"grab", Clips().avi, "--at", "-5", "-o", out}, 2},
        {{"grab", Clips().avi, "-o", out}, 2},
    };
    for (const Case& c : cases) {
        const CliResult result = RunCli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_FALSE(result.error.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST(PlaybackCli, PlayRunsToTheEndPrintingThePosition) {
    const CliResult result = RunCli({"play", Clips().videoOnly, "--rate", "2"});
    ASSERT_EQ(result.exitCode, 0) << result.error.toStdString();
    const QStringList lines = result.Lines();
    ASSERT_GE(lines.size(), 5);
    EXPECT_LE(lines.size(), 20) << "4 s at rate 2 with a line every 200 ms";
    EXPECT_EQ(lines.last().toInt(), ClipMs);
    for (qsizetype i = 1; i < lines.size(); ++i)
        EXPECT_GE(lines[i].toInt(), lines[i - 1].toInt());
}

} // namespace
