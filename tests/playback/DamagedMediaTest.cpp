#include "playback/Mp4Reference.h"
#include "playback/UnfinishedAvi.h"
#include "tests/playback/DamagedClips.h"
#include "tests/playback/EngineTestSupport.h"
#include "tests/playback/TestClips.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

using namespace Damage;

enum class Expect {
    Refused, // no open, a reason
    Plays,   // opens, shows a picture after a seek, plays to its end
    Exactly, // plays, and every seek shows the exact frame (the power-cut recordings)
    Either,  // random damage: plays as above or is refused with a reason
    Blank,   // opens and runs to its end, but not one picture can be decoded
};

struct DamagedCase {
    const char* name;
    QByteArray bytes;
    const char* extension;
    Expect expect;
    const char* reason = ""; // part of the reason of a refusal
    int durationMs = 0;      // for Exactly: the real length; 0 when shorter than the clip
    QString reference = {};  // a finished MP4 of the same camera, for an MP4 without moov
};

// The free box before the mdat and the mdat's header made one header with a 64-bit size, as
// cameras write it for files that may outgrow 4 GB: every sample stays where it was.
QByteArray LargeMdatHeader(QByteArray mp4) {
    const qsizetype free = Find(mp4, "free") - 4;
    const qsizetype mdat = Find(mp4, "mdat") - 4;
    if (free + 8 != mdat)
        return {};
    QByteArray header = QByteArray::fromHex("00000001") + "mdat" + QByteArray(8, '\0');
    qToBigEndian(quint64(mp4.size() - free), header.data() + 8);
    return mp4.replace(free, 16, header);
}

QList<DamagedCase> Cases() {
    const QByteArray avi = Read(Clips().avi);
    const QByteArray mp4 = Read(Clips().mp4);
    const QByteArray mp4BFrames = Read(Clips().mp4BFrames);
    const QString camera = Clips().mp4, bFrames = Clips().mp4BFrames;
    const qsizetype movi = Find(avi, "movi");
    const qsizetype firstVideo = Find(avi, "00dc", movi);
    // The video's strh: its data, then dwScale after type, handler, flags, priority and frames.
    const qsizetype videoScale = Find(avi, "strh") + 4 + 4 + 20;
    const qsizetype mdat = Find(mp4, "mdat") - 4;
    const qsizetype moov = Find(mp4, "moov") - 4;
    const QByteArray text = "Recordings of the QX5 demo card.\n";
    return {
        {"power cut", PowerCut(avi), "AVI", Expect::Exactly, "", ClipMs},
        {"index removed", WithoutIndex(avi), "AVI", Expect::Exactly, "", ClipMs},
        {"power cut mid-chunk", Truncated(PowerCut(avi), 0.7), "AVI", Expect::Exactly},
        {"power cut, nothing recorded", PowerCut(avi).left(movi + 4), "AVI", Expect::Refused,
         "no index and no packets"},
        {"cut at 10 %", Truncated(avi, 0.1), "AVI", Expect::Exactly},
        {"cut at 35 %", Truncated(avi, 0.35), "AVI", Expect::Exactly},
        {"cut at 60 %", Truncated(avi, 0.6), "AVI", Expect::Exactly},
        {"cut at 90 %", Truncated(avi, 0.9), "AVI", Expect::Exactly},
        {"cut inside the headers", avi.left(200), "AVI", Expect::Refused,
         "the file ends at byte 200"},
        {"headers zeroed", Zeroed(avi, 0, double(movi) / double(avi.size())), "AVI",
         Expect::Refused},
        {"movi header zeroed", WithWord(WithWord(avi, movi - 8, 0), movi, 0), "AVI",
         Expect::Refused},
        {"zero-padded to its end", Zeroed(avi, 0.6, 1.0), "AVI", Expect::Exactly},
        {"zeroed region", Zeroed(avi, 0.4, 0.5), "AVI", Expect::Plays},
        // An index that points nowhere: the one rebuilt from the chunks serves.
        {"index zeroed", Zeroed(avi, double(avi.lastIndexOf("idx1") + 8) / double(avi.size()), 1.0),
         "AVI", Expect::Exactly, "", ClipMs},
        {"index scrambled",
         Flipped(avi, 4, int(avi.size() - avi.lastIndexOf("idx1") - 8),
                 avi.lastIndexOf("idx1") + 8),
         "AVI", Expect::Exactly, "", ClipMs},
        {"index shuffled", IndexShuffled(avi, 5), "AVI", Expect::Exactly, "", ClipMs},
        // A stream header whose clock no camera films at: the sound's length sets it right.
        {"a picture every 43 minutes", WithWord(avi, videoScale, 0xFFFF), "AVI", Expect::Exactly,
         "", ClipMs},
        {"a picture a second", WithWord(WithWord(avi, videoScale, 1), videoScale + 4, 1), "AVI",
         Expect::Exactly, "", ClipMs},
        {"index offsets scrambled after its start", IndexOffsetsScrambled(avi, 8, 6), "AVI",
         Expect::Exactly, "", ClipMs},
        {"bytes flipped 1", Flipped(avi, 1, 40, movi), "AVI", Expect::Either},
        {"bytes flipped 2", Flipped(avi, 2, 400, movi), "AVI", Expect::Either},
        {"bytes flipped 3", Flipped(avi, 3, 40), "AVI", Expect::Either},
        {"absurd RIFF size", WithWord(avi, 4, 0xFFFFFFF0), "AVI", Expect::Exactly, "", ClipMs},
        {"absurd movi size", WithWord(avi, movi - 4, 0xFFFFFFF0), "AVI", Expect::Exactly, "",
         ClipMs},
        {"absurd chunk size", WithWord(avi, firstVideo + 4, 0x7FFFFFF0), "AVI", Expect::Either},
        // A length the pictures cannot fill is held to what the index holds.
        {"absurd stream length", WithWord(avi, Find(avi, "strh") + 8 + 32, 0xFFFFFFF0), "AVI",
         Expect::Exactly, "", ClipMs},
        {"empty AVI", {}, "AVI", Expect::Refused, "the file is empty"},
        {"text named .AVI", text, "AVI", Expect::Refused, "cannot read it as AVI"},
        // What a power cut leaves of an MP4: its samples, without the moov box that finds them.
        {"moov removed", WithoutMoov(mp4), "MP4", Expect::Exactly, "", ClipMs, camera},
        {"MP4 cut at 50 %", Truncated(mp4, 0.5), "MP4", Expect::Exactly, "", 0, camera},
        {"MP4 cut at 10 %", Truncated(mp4, 0.1), "MP4", Expect::Exactly, "", 0, camera},
        {"MP4 cut at 99 %, inside its moov", Truncated(mp4, 0.99), "MP4", Expect::Exactly, "",
         ClipMs, camera},
        {"MP4 without moov cut inside a sample", Truncated(WithoutMoov(mp4), 0.73), "MP4",
         Expect::Exactly, "", 0, camera},
        {"MP4 without moov, mdat size 0", WithWord(WithoutMoov(mp4), mdat, 0, true), "MP4",
         Expect::Exactly, "", ClipMs, camera},
        {"MP4 moov zeroed", Zeroed(mp4, double(moov) / double(mp4.size()), 1.0), "MP4",
         Expect::Exactly, "", ClipMs, camera},
        {"B-frame MP4 without moov", WithoutMoov(mp4BFrames), "MP4", Expect::Exactly, "", ClipMs,
         bFrames},
        {"B-frame MP4 cut at 35 %", Truncated(mp4BFrames, 0.35), "MP4", Expect::Exactly, "", 0,
         bFrames},
        {"B-frame MP4 without moov cut at 80 %", Truncated(WithoutMoov(mp4BFrames), 0.8), "MP4",
         Expect::Exactly, "", 0, bFrames},
        {"MP4 without moov, 64-bit mdat size", LargeMdatHeader(WithoutMoov(mp4)), "MP4",
         Expect::Exactly, "", ClipMs, camera},
        {"MP4 without moov, a stretch garbled", Garbled(WithoutMoov(mp4), mp4.size() / 3, 3000, 12),
         "MP4", Expect::Plays, "", 0, camera},
        {"MP4 without moov, bytes flipped", Flipped(WithoutMoov(mp4), 13, 60, mdat), "MP4",
         Expect::Either, "", 0, camera},
        {"PCM MP4 without moov", WithoutMoov(Read(Clips().oddLength)), "MP4", Expect::Plays, "", 0,
         Clips().oddLength},
        {"PCM MP4 without moov cut at 60 %", Truncated(WithoutMoov(Read(Clips().oddLength)), 0.6),
         "MP4", Expect::Plays, "", 0, Clips().oddLength},
        {"MP4 without moov, the reference no MP4", WithoutMoov(mp4), "MP4", Expect::Refused,
         "cannot serve", 0, Clips().avi},
        {"MP4 without moov, the reference coded otherwise", WithoutMoov(mp4), "MP4",
         Expect::Refused, "its pictures are coded otherwise", 0, bFrames},
        {"MP4 zeroed region", Zeroed(mp4, 0.3, 0.4), "MP4", Expect::Plays},
        {"MP4 head zeroed", Zeroed(mp4, 0, 0.001), "MP4", Expect::Either},
        {"MP4 bytes flipped 1", Flipped(mp4, 1, 40, mdat), "MP4", Expect::Either},
        {"MP4 bytes flipped 2", Flipped(mp4, 2, 400), "MP4", Expect::Either},
        {"MP4 bytes flipped in moov", Flipped(mp4, 3, 40, moov), "MP4", Expect::Either},
        {"absurd mdat size", WithWord(mp4, mdat, 0xFFFFFFF0, true), "MP4", Expect::Either},
        {"absurd declared length",
         WithWord(WithWord(mp4, Find(mp4, "mvhd") + 20, 0x7FFFFFFF, true), Find(mp4, "mdhd") + 20,
                  0x7FFFFFFF, true),
         "MP4", Expect::Exactly, "", ClipMs},
        {"absurd sample sizes", WithTableEntries(mp4, "stsz", 0x7FFFFFF0), "MP4", Expect::Blank},
        {"chunks beyond the file", WithTableEntries(mp4, "stco", quint32(mp4.size() + 4096)), "MP4",
         Expect::Blank},
        {"garbage decoder setup", Garbled(mp4, Find(mp4, "avcC") + 4, 36, 7), "MP4", Expect::Blank},
        {"absurd moov size", WithWord(mp4, moov, 0xFFFFFFF0, true), "MP4", Expect::Either},
        {"empty MP4", {}, "MP4", Expect::Refused, "the file is empty"},
        {"text named .MP4", text, "MP4", Expect::Refused, "cannot read it as MP4"},
    };
}

int FrameAt(int ms) {
    return ms / FrameMs;
}

// Seeking, grabbing and playing an opened damaged recording: each bounded, each with a result.
void CheckPlays(PlaybackEngine& player, const DamagedCase& c) {
    PlaybackGraph& graph = *player.Graph();
    const qint64 durationMs = player.DurationMs();
    if (c.expect == Expect::Exactly) {
        if (c.durationMs > 0) {
            EXPECT_EQ(durationMs, c.durationMs) << "the length of what was recorded";
        } else {
            EXPECT_TRUE(durationMs > 0 && durationMs < ClipMs) << durationMs;
        }
    }
    graph.Pause();
    for (int ms : {1200, 250, 2750}) {
        if (ms >= durationMs && durationMs > 0)
            continue;
        player.SeekMs(ms);
        ASSERT_TRUE(WaitForShownPicture(graph, 10000)) << "seek to " << ms;
        QImage frame;
        const bool grabbed = player.GrabFrame(frame);
        if (c.expect == Expect::Blank) {
            EXPECT_FALSE(grabbed) << ms;
        }
        if (c.expect == Expect::Exactly) {
            ASSERT_TRUE(grabbed) << ms;
            EXPECT_EQ(FrameCode::Read(frame), FrameAt(ms)) << "at " << ms;
        }
    }
    player.SeekMs(int(std::clamp<qint64>(durationMs - 600, 0, ClipMs)));
    player.SetRate(2.0f);
    ASSERT_TRUE(player.Play());
    ASSERT_TRUE(QTest::qWaitFor([&] { return graph.Ended(); }, 10000)) << "plays to its end";
    if (durationMs > 0) {
        EXPECT_EQ(player.PositionMs(), durationMs);
    }
}

TEST(DamagedMedia, EveryRecordingOpensAndPlaysOrIsRefusedWithAReason) {
    const QList<DamagedCase> cases = Cases();
    ASSERT_GE(cases.size(), 30);
    int index = 0;
    for (const DamagedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path =
            Write(QStringLiteral("damaged-%1.%2").arg(index++).arg(c.extension), c.bytes);
        SetMp4Reference(path, c.reference);
        auto player = SilentPlayer();
        const bool opened = player->Open(path);
        if (c.expect == Expect::Refused) {
            EXPECT_FALSE(opened);
        } else if (c.expect != Expect::Either) {
            EXPECT_TRUE(opened) << player->LastError().toStdString();
        }
        if (opened) {
            CheckPlays(*player, c);
        } else {
            EXPECT_EQ(player->Graph(), nullptr);
            EXPECT_FALSE(player->LastError().isEmpty());
            EXPECT_TRUE(player->LastError().contains(QLatin1String(c.reason)))
                << player->LastError().toStdString();
        }
    }
}

TEST(DamagedMedia, AnMp4WithoutMoovTakesTheSetupOfTheNearestFinishedOneBesideIt) {
    const QString folder = Clips().folder + "/unfinished";
    QDir().mkpath(folder);
    const QString cut = folder + "/20261201_081641_EVT.MP4";
    QFile::remove(cut);
    Write("unfinished/20261201_081641_EVT.MP4", WithoutMoov(Read(Clips().mp4)));
    {
        auto player = SilentPlayer();
        EXPECT_FALSE(player->Open(cut));
        EXPECT_TRUE(player->LastError().contains("did not finish"))
            << player->LastError().toStdString();
        EXPECT_TRUE(player->LastError().contains("no finished MP4"))
            << player->LastError().toStdString();
    }
    // Nearer in time: one that is no MP4 and one coded otherwise; farther, one of another day.
    CopyClip(Clips().avi, "unfinished/20261201_081700_NOR.MP4");
    CopyClip(Clips().mp4BFrames, "unfinished/20261201_081630_NOR.MP4");
    CopyClip(Clips().oddLength, "unfinished/20261203_120000_NOR.MP4");
    CopyClip(Clips().mp4, "unfinished/20261201_081500_NOR.MP4");
    auto player = SilentPlayer();
    ASSERT_TRUE(player->Open(cut)) << player->LastError().toStdString();
    ASSERT_TRUE(player->Info()->audio.has_value()) << "the sound is framed";
    EXPECT_TRUE(player->Info()->repairNote.contains("20261201_081500_NOR.MP4"))
        << player->Info()->repairNote.toStdString();
    EXPECT_TRUE(player->Info()->repairNote.contains("40 frames, 4.000 s, with sound"))
        << player->Info()->repairNote.toStdString();
    CheckPlays(*player, {"nearest reference", {}, "MP4", Expect::Exactly, "", ClipMs});
}

TEST(DamagedMedia, KeyFramesAreToldByTheirFirstSlice) {
    const struct {
        const char* name;
        QByteArray bytes;
        bool key;
    } cases[] = {
        {"IDR", QByteArray::fromHex("0000000165888400"), true},
        {"SPS, PPS, IDR", QByteArray::fromHex("00000001674d0000000168ee000165"), true},
        {"SEI, then IDR", QByteArray::fromHex("0000000106050400000001658884"), true},
        {"P slice", QByteArray::fromHex("00000001419a00"), false},
        {"access unit delimiter, P slice", QByteArray::fromHex("0000000109f0000000019a00"), false},
        {"length-prefixed IDR", QByteArray::fromHex("0000000265880000"), true},
        {"length-prefixed SEI, then P", QByteArray::fromHex("00000002060500000002419a"), false},
        {"nothing", QByteArray(), false},
        {"cut start code", QByteArray::fromHex("000001"), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StartsKeyFrame(c.bytes), c.key) << c.name;
}

} // namespace
