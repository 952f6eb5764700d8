#include "tests/playback/DamagedClips.h"
#include "tests/playback/TestClips.h"
#include "tests/support/RunCli.h"
#include "tests/support/SmallDisk.h"
#include "tools/democard/FrameCode.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <gtest/gtest.h>

extern "C" {
#include <libavformat/avformat.h>
}

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

// Frames count in the order they are shown, also where B-frames are decoded out of it.
TEST(PlaybackCli, GrabSavesTheNumberedFrame) {
    const QString out = Clips().folder + "/frame.jpg";
    for (const QString& clip : {Clips().avi, Clips().aviBFrames, Clips().mp4BFrames}) {
        for (int frame : {0, 9, 10, 27, ClipMs / FrameMs - 1}) {
            QFile::remove(out);
            const CliResult result =
                RunCli({"grab", clip, "--frame", QString::number(frame), "-o", out});
            ASSERT_EQ(result.exitCode, 0) << result.error.toStdString();
            QImage image;
            ASSERT_TRUE(image.load(out, "JPEG"));
            EXPECT_EQ(FrameCode::Read(image), frame) << clip.toStdString();
        }
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
        {{"grab", Clips().mp4, "--frame", "40", "-o", out}, 1},
        {{"grab", Clips().avi, "--frame", "-1", "-o", out}, 2},
        {{"grab", Clips().avi, "--at", "0", "--frame", "0", "-o", out}, 2},
    };
    for (const Case& c : cases) {
        const CliResult result = RunCli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_FALSE(result.error.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(out));
}

// A full disk: the grab fails, says why, and the picture it would have replaced stays whole.
TEST(PlaybackCli, AGrabOntoAFullDiskKeepsThePictureThere) {
    SmallDisk disk(256 * 1024);
    if (!disk.Mounted())
        GTEST_SKIP() << "needs a disk of its own, which only root may mount here";
    const QString out = disk.Path() + "/grab.jpg";
    ASSERT_EQ(RunCli({"grab", Clips().avi, "--at", "0", "-o", out}).exitCode, 0);
    QFile picture(out);
    ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
    const QByteArray before = picture.readAll();
    picture.close();
    QFile filler(disk.Path() + "/filler");
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    while (filler.write(QByteArray(4096, 'x')) > 0 && filler.flush()) {
    }
    filler.close();

    const CliResult result = RunCli({"grab", Clips().avi, "--at", "2750", "-o", out});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.error.contains("No space left on device")) << result.error.toStdString();
    ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
    EXPECT_EQ(picture.readAll(), before);
    EXPECT_EQ(QDir(disk.Path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"filler", "grab.jpg"}));
}

// The clock of a recording runs to its end even when its pictures cannot be decoded: only a
// recording that showed one counts as played.
TEST(PlaybackCli, PlayFailsWhenNoPictureCouldBeDecoded) {
    using namespace Damage;
    const QByteArray avi = Read(Clips().avi);
    const QByteArray mp4 = Read(Clips().mp4);
    const struct {
        const char* name;
        QByteArray bytes;
        bool plays;
    } cases[] = {
        {"sizes.MP4", WithTableEntries(mp4, "stsz", 0x7FFFFFF0), false},
        {"chunks.MP4", WithTableEntries(mp4, "stco", quint32(mp4.size() + 4096)), false},
        {"setup.MP4", Garbled(mp4, Find(mp4, "avcC") + 4, 36, 7), false},
        {"first-chunk.MP4", WithWord(mp4, Find(mp4, "stco") + 12, quint32(mp4.size()), true), true},
        {"index.AVI", IndexShuffled(avi, 5), true},
    };
    for (const auto& c : cases) {
        const QString clip = Write(QStringLiteral("cli-blank-%1").arg(c.name), c.bytes);
        const CliResult result = RunCli({"play", clip, "--volume", "0"});
        const QList<QByteArray> positions = result.out.trimmed().split('\n');
        if (c.plays) {
            EXPECT_EQ(result.exitCode, 0) << c.name << ": " << result.error.toStdString();
            EXPECT_GT(positions.size(), 10) << c.name << ": runs, not ends at once";
            EXPECT_EQ(positions.last(), QByteArray::number(ClipMs)) << c.name;
        } else {
            EXPECT_EQ(result.exitCode, 1) << c.name;
            EXPECT_TRUE(
                QString::fromUtf8(result.error)
                    .contains(
                        QStringLiteral("cannot play %1: no picture could be decoded").arg(clip)))
                << c.name << ": " << result.error.toStdString();
        }
    }
}

TEST(PlaybackCli, FailuresSayWhy) {
    QDir(Clips().folder).mkpath("cli-alone");
    const QByteArray avi = Damage::Read(Clips().avi);
    const QByteArray mp4 = Damage::Read(Clips().mp4);
    const struct {
        QString path;
        const char* reason;
    } cases[] = {
        {Damage::Write("cli-empty.AVI", {}), "the file is empty"},
        {Damage::Write("cli-text.MP4", "not a recording\n"),
         "cannot read it as MP4: Invalid data found when processing input"},
        {Damage::Write("cli-alone/cli-unfinished.MP4", Damage::WithoutMoov(mp4)),
         "the camera did not finish this recording: it has no moov box, and no finished MP4 of "
         "the same camera lies beside it to take its settings from"},
        {Damage::Write("cli-headers.AVI", avi.left(100)),
         "the file ends at byte 100, inside its headers"},
        {Damage::Write("cli-nothing.AVI",
                       Damage::PowerCut(avi).left(Damage::Find(avi, "movi") + 4)),
         "no index and no packets"},
        {Clips().folder + "/cli-missing.AVI", "cannot read it as AVI: No such file or directory"},
    };
    for (const auto& c : cases) {
        for (const QStringList& args :
             {QStringList{"probe", c.path}, QStringList{"grab", c.path, "--at", "0", "-o", "x.jpg"},
              QStringList{"play", c.path}}) {
            const CliResult result = RunCli(args);
            EXPECT_EQ(result.exitCode, 1) << args.join(' ').toStdString();
            EXPECT_EQ(QString::fromUtf8(result.error).trimmed().toStdString(),
                      QStringLiteral("cannot play %1: %2").arg(c.path, c.reason).toStdString());
        }
    }
    const QString mjpeg = Clips().folder + "/cli-mjpeg.AVI";
    QProcess::execute("ffmpeg", {"-hide_banner", "-loglevel", "error", "-y", "-i", Clips().avi,
                                 "-c:v", "mjpeg", "-an", mjpeg});
    EXPECT_TRUE(RunCli({"probe", mjpeg}).error.contains("no H.264 video stream"));
}

TEST(PlaybackCli, ThePlaybackLogIsSwitchedOnByLoggingRules) {
    const QString text = Damage::Write("cli-log.MP4", "not a recording\n");
    EXPECT_FALSE(RunCli({"probe", text}).error.contains("ffmpeg:"));
    const CliResult logged = RunCli({"probe", text}, {"QT_LOGGING_RULES=karvenna.*.info=true"});
    EXPECT_TRUE(logged.error.contains("ffmpeg: [mov,mp4")) << logged.error.toStdString();
    EXPECT_TRUE(logged.error.contains("cannot play " + text.toUtf8()));
}

TEST(PlaybackCli, APowerCutRecordingPlaysToItsEndAndSeeksExactly) {
    const QString cut =
        Damage::Write("cli-power-cut.AVI", Damage::PowerCut(Damage::Read(Clips().avi)));
    EXPECT_EQ(Probe(cut)["duration_ms"].toInt(), ClipMs);
    const QString out = Clips().folder + "/power-cut.jpg";
    for (int ms : {1200, 3950}) {
        const CliResult result = RunCli({"grab", cut, "--at", QString::number(ms), "-o", out});
        ASSERT_EQ(result.exitCode, 0) << result.error.toStdString();
        QImage image;
        ASSERT_TRUE(image.load(out, "JPEG"));
        EXPECT_EQ(FrameCode::Read(image), ms / 100);
    }
    const CliResult played = RunCli({"play", cut, "--rate", "2", "--volume", "0"});
    ASSERT_EQ(played.exitCode, 0) << played.error.toStdString();
    EXPECT_EQ(played.Lines().last().toInt(), ClipMs);
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

// A recording's packets in the order they lie in the file: stream kind, presentation time,
// bytes and where they end in the file.
struct Packet {
    AVMediaType kind;
    qint64 milliseconds;
    QByteArray bytes;
    qint64 end;
    bool operator==(const Packet&) const = default;
};

QList<Packet> Packets(const QString& path, qint64* durationMs = nullptr) {
    QList<Packet> packets;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.toUtf8().constData(), nullptr, nullptr) < 0)
        return packets;
    if (avformat_find_stream_info(format, nullptr) >= 0) {
        if (durationMs)
            *durationMs = format->duration * 1000 / AV_TIME_BASE;
        AVPacket* packet = av_packet_alloc();
        while (av_read_frame(format, packet) >= 0) {
            const AVStream* stream = format->streams[packet->stream_index];
            packets.append({stream->codecpar->codec_type,
                            av_rescale_q(packet->pts, stream->time_base, {1, 1000}),
                            QByteArray(reinterpret_cast<const char*>(packet->data), packet->size),
                            packet->pos + packet->size});
            av_packet_unref(packet);
        }
        av_packet_free(&packet);
    }
    avformat_close_input(&format);
    return packets;
}

qsizetype Count(const QList<Packet>& packets, AVMediaType kind) {
    return std::count_if(packets.begin(), packets.end(),
                         [kind](const Packet& packet) { return packet.kind == kind; });
}

TEST(PlaybackCli, RepairWritesTheSamplesOfACutMp4AsAStandardMp4) {
    using namespace Damage;
    const QString out = Clips().folder + "/repaired.MP4";
    const struct {
        const char* name;
        QString source;
        double cut; // the share of the bytes without moov that is left
    } cases[] = {
        {"moov removed", Clips().mp4, 1.0},
        {"cut inside a sample", Clips().mp4, 0.6},
        {"B-frames", Clips().mp4BFrames, 1.0},
        {"B-frames cut inside a sample", Clips().mp4BFrames, 0.45},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray bytes = Truncated(WithoutMoov(Read(c.source)), c.cut);
        const QString cut = Write("cli-cut.MP4", bytes);
        QFile::remove(out);
        const CliResult result = RunCli({"repair", cut, "--reference", c.source, "-o", out});
        ASSERT_EQ(result.exitCode, 0) << result.error.toStdString();
        // Every picture the cut left whole, with the sound; as long as its last one is shown.
        qsizetype whole = 0;
        qint64 lengthMs = 0;
        for (const Packet& packet : Packets(c.source)) {
            if (packet.kind == AVMEDIA_TYPE_VIDEO && packet.end <= bytes.size()) {
                ++whole;
                lengthMs = std::max(lengthMs, packet.milliseconds + FrameMs);
            }
        }
        const QString recovered = QStringLiteral("recovered %1 frames, %2 s, with sound")
                                      .arg(whole)
                                      .arg(double(lengthMs) / 1000, 0, 'f', 3);
        EXPECT_TRUE(result.Text().startsWith(recovered)) << result.Text().toStdString();

        // Not one byte encoded again: the packets are the original's, as far as the cut left them.
        qint64 durationMs = 0;
        const QList<Packet> repaired = Packets(out, &durationMs);
        EXPECT_EQ(durationMs, lengthMs);
        EXPECT_EQ(Count(repaired, AVMEDIA_TYPE_VIDEO), whole);
        EXPECT_GT(Count(repaired, AVMEDIA_TYPE_AUDIO), whole * 4) << "the sound is there";
        const QList<Packet> original = Packets(c.source);
        ASSERT_LE(repaired.size(), original.size());
        EXPECT_EQ(repaired, original.mid(0, repaired.size()));

        if (QStandardPaths::findExecutable("ffmpeg").isEmpty())
            continue;
        QProcess ffmpeg;
        ffmpeg.start("ffmpeg", {"-v", "error", "-i", out, "-f", "null", "-"});
        ASSERT_TRUE(ffmpeg.waitForFinished(60000));
        EXPECT_EQ(ffmpeg.exitCode(), 0);
        EXPECT_EQ(ffmpeg.readAllStandardError(), QByteArray()) << "decodes without one error";
    }
}

// A 20 MB camera-like recording: with many megabytes after it, a sound frame once held bytes
// that passed for the start of a picture whose length fitted in what followed.
TEST(PlaybackCli, RepairKeepsEverySampleOfALongerRecording) {
    using namespace Damage;
    const QString source = Clips().folder + "/longer.MP4";
    QProcess ffmpeg;
    ffmpeg.start(
        "ffmpeg",
        QStringLiteral("-v error -y -f lavfi -i testsrc2=size=1920x1080:rate=30:duration=20 "
                       "-f lavfi -i sine=frequency=440:sample_rate=48000:duration=20 "
                       "-ac 2 -c:v libx264 -preset ultrafast -b:v 8M -g 30 "
                       "-pix_fmt yuv420p -c:a aac")
                .split(' ') +
            QStringList{source});
    ASSERT_TRUE(ffmpeg.waitForFinished(120000) && ffmpeg.exitCode() == 0);
    const QString cut = Write("cli-longer-cut.MP4", Truncated(WithoutMoov(Read(source)), 0.99));
    const QString out = Clips().folder + "/longer-repaired.MP4";
    const CliResult result = RunCli({"repair", cut, "--reference", source, "-o", out});
    ASSERT_EQ(result.exitCode, 0) << result.error.toStdString();
    const QList<Packet> original = Packets(source);
    const QList<Packet> repaired = Packets(out);
    EXPECT_GT(repaired.size(), original.size() * 98 / 100) << result.Text().toStdString();
    EXPECT_EQ(repaired, original.mid(0, repaired.size()));
}

TEST(PlaybackCli, RepairRefusesWithAReasonAndLeavesTheFilesAsTheyWere) {
    using namespace Damage;
    QDir(Clips().folder).mkpath("cli-repair-alone");
    const QByteArray unfinished = WithoutMoov(Read(Clips().mp4));
    const QString alone = Write("cli-repair-alone/cut.MP4", unfinished);
    const QString cut = Write("cli-repair.MP4", unfinished);
    const QString out = Write("cli-repair-out.MP4", "an older file\n");
    const struct {
        QStringList args;
        int exitCode;
        const char* reason;
    } cases[] = {
        {{"repair", Clips().mp4, "-o", out}, 1, "there is nothing to repair"},
        {{"repair", alone, "-o", out}, 1, "no finished MP4 of the same camera lies beside it"},
        {{"repair", cut, "--reference", Clips().avi, "-o", out}, 1, "cannot serve"},
        {{"repair", cut, "--reference", Clips().mp4, "-o", cut}, 1, "must not replace"},
        {{"repair", cut, "--reference", Clips().mp4}, 2, "usage: karvenna-cli repair"},
    };
    for (const auto& c : cases) {
        const CliResult result = RunCli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(result.error.contains(c.reason)) << result.error.toStdString();
        EXPECT_EQ(Read(out), "an older file\n");
        EXPECT_EQ(Read(cut), unfinished);
    }
}

TEST(PlaybackCli, PlayingACutMp4SaysWhatWasRebuiltAndWhetherItsSoundWasLost) {
    using namespace Damage;
    const struct {
        QString source;
        int lengthMs;
        const char* said;
    } cases[] = {
        {Clips().mp4, ClipMs, "40 frames, 4.000 s, with sound"},
        // Every sound frame scrambled: none can be told from the bytes around it.
        {Clips().noisySound, ClipMs, "40 frames, 4.000 s, without sound (it could not be framed)"},
        // PCM has no frames to find: its runs between the pictures are as long as the reference's.
        {Clips().oddLength, 3000, "30 frames, 3.000 s, with sound, 0 bytes left over"},
    };
    for (const auto& c : cases) {
        const QString cut = Write("cli-play-cut.MP4", WithoutMoov(Read(c.source)));
        const CliResult played =
            RunCli({"play", cut, "--reference", c.source, "--rate", "2", "--volume", "0"});
        ASSERT_EQ(played.exitCode, 0) << played.error.toStdString();
        EXPECT_EQ(played.Lines().last().toInt(), c.lengthMs);
        EXPECT_TRUE(played.error.contains(c.said)) << played.error.toStdString();
    }
}

} // namespace
