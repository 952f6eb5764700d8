#include "tests/playback/EngineTestSupport.h"
#include "tests/playback/TestClips.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QString WriteFile(const QString& name, const QByteArray& bytes) {
    const QString path = Clips().folder + "/" + name;
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

TEST(Robustness, FilesThatAreNoRecordingsDoNotOpen) {
    const QString names[] = {
        WriteFile("notes.AVI", "Recordings of the QX5 demo card.\n"),
        WriteFile("notes.MP4", "Recordings of the QX5 demo card.\n"),
        WriteFile("empty.AVI", {}),
        WriteFile("head-only.MP4", Bytes(Clips().mp4).left(2000)),
        WriteFile("head-only.AVI", Bytes(Clips().avi).left(3000)),
        Clips().folder + "/missing.AVI",
        Clips().folder,
    };
    auto player = SilentPlayer();
    for (const QString& name : names) {
        EXPECT_FALSE(player->Open(name)) << name.toStdString();
        EXPECT_EQ(player->Graph(), nullptr);
    }
}

TEST(Robustness, GarbageInTheMiddlePlaysThroughToTheEnd) {
    for (const QString& clip : {Clips().avi, Clips().mp4}) {
        QByteArray bytes = Bytes(clip);
        QRandomGenerator random(11);
        for (qsizetype i = bytes.size() * 4 / 10; i < bytes.size() * 6 / 10; ++i)
            bytes[i] = char(random.bounded(256));
        auto player = SilentPlayer();
        ASSERT_TRUE(player->Open(WriteFile("garbage." + clip.right(3), bytes)));
        player->SeekMs(1000);
        ASSERT_TRUE(player->Play());
        EXPECT_TRUE(PlaysToTheEnd(*player, 8000)) << clip.toStdString();
    }
}

TEST(Robustness, AFileThatVanishesWhilePlayingEnds) {
    // Removed: the open file stays readable. Cut short, as a card pulled out: reading ends early.
    for (bool removed : {true, false}) {
        const QString path = CopyClip(Clips().avi, removed ? "removed.AVI" : "cut.AVI");
        auto player = SilentPlayer();
        ASSERT_TRUE(player->Open(path));
        player->SeekMs(2000);
        ASSERT_TRUE(player->Play());
        if (removed)
            QFile::remove(path);
        else
            QFile::resize(path, 10000);
        EXPECT_TRUE(PlaysToTheEnd(*player, 5000)) << removed;
        // and seeking afterwards finds nothing to crash on
        player->Graph()->Pause();
        player->SeekMs(500);
        QTest::qWait(50);
        player->SeekMs(3900);
        WaitForShownPicture(*player->Graph(), 2000);
    }
}

TEST(Robustness, AFileThatDoesNotAnswerNeverHoldsTheCaller) {
    // A named pipe answers only once someone writes: the open cannot end before the test says.
    const QString slow = Clips().folder + "/slow.AVI";
    const QString hung = Clips().folder + "/hung.AVI";
    for (const QString& path : {slow, hung})
        ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    auto player = SilentPlayer();
    ASSERT_TRUE(player->BeginOpen(slow));
    EXPECT_TRUE(player->Opening());
    EXPECT_EQ(player->State(), PlaybackGraph::Empty);
    QSignalSpy opened(player.get(), &PlaybackEngine::opened);
    QFile(slow).open(QIODevice::WriteOnly); // and closed at once: an empty file
    ASSERT_TRUE(opened.wait(10000));
    EXPECT_EQ(opened.takeFirst().at(0).toBool(), false);
    EXPECT_EQ(player->LastError(), "the file is empty");
    EXPECT_EQ(player->Graph(), nullptr);

    // Given up while it hangs: the player is free at once, and the late answer goes nowhere.
    ASSERT_TRUE(player->BeginOpen(hung));
    ASSERT_TRUE(player->Open(Clips().avi));
    QFile(hung).open(QIODevice::WriteOnly);
    QTest::qWait(50);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(player->Graph()->State(), PlaybackGraph::Stopped);
}

TEST(Robustness, CloseAtAnyMomentOfPlayback) {
    for (int waitMs : {0, 1, 30, 200}) {
        for (const QString& clip : {Clips().avi, Clips().mp4}) {
            auto player = SilentPlayer();
            ASSERT_TRUE(player->Open(clip));
            ASSERT_TRUE(player->Play());
            player->SeekMs(2000);
            QTest::qWait(waitMs);
            player->Close();
            EXPECT_EQ(player->Graph(), nullptr);
        }
    }
}

TEST(Robustness, OpeningAgainReplacesTheGraphAndResetsIt) {
    auto player = SilentPlayer();
    ASSERT_TRUE(player->Open(Clips().avi));
    player->SetRate(2.0f);
    ASSERT_TRUE(player->Play());
    player->Graph()->SetDecoderParam(PlaybackGraph::ParamTurnOn, 1);
    player->Graph()->SetDecoderParam(PlaybackGraph::ParamTurned, 1);
    ASSERT_TRUE(player->Open(Clips().mp4));
    EXPECT_EQ(player->Graph()->State(), PlaybackGraph::Stopped);
    EXPECT_EQ(player->Graph()->Rate(), 1.0f);
    EXPECT_EQ(ShownFrame(*player), 0) << "shown normal again";
}

} // namespace
