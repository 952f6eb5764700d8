#include "incident/SpanRecordings.h"
#include "tests/incident/IncidentCard.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QTemporaryDir& Workspace() {
    static QTemporaryDir folder;
    return folder;
}

QString Card() {
    static const QString error = IncidentCard::Write(Workspace().path());
    EXPECT_EQ(error, "");
    return Workspace().path();
}

// The test program leaves without running static destructors.
class IncidentSpanTest : public testing::Test {
protected:
    static void TearDownTestSuite() { Workspace().remove(); }
};

QDateTime At(int seconds) {
    return IncidentCard::Start.addSecs(seconds);
}

TEST_F(IncidentSpanTest, CameraTimesAreReadOnlyInTheirOwnForm) {
    EXPECT_EQ(ParseCameraTime("2013-05-21T15:30:05"), At(5));
    for (const char* wrong : {"2013-05-21 15:30:05", "2013-05-21T15:30", "2013-02-30T15:30:05",
                              "2013-05-21T24:00:00", "", "21.05.2013T15:30:05"})
        EXPECT_FALSE(ParseCameraTime(wrong)) << wrong;
    EXPECT_EQ(RecordingStart("20130521_153005_EVT.MP4"), At(5));
    EXPECT_FALSE(RecordingStart("2013052_1530055_EVT.MP4"));
    EXPECT_FALSE(RecordingStart("notes.MP4"));
}

struct SpanCase {
    int from, to; // seconds after the card's first recording starts
    QList<int> recordings;
    QList<std::pair<qint64, qint64>> parts; // each one's part of the clip, ms from its start
};

TEST_F(IncidentSpanTest, ASpanTakesEveryRecordingItTouchesAndEachMomentOnce) {
    const SpanCase cases[] = {
        {1, 8, {0, 1, 2}, {{1000, 3000}, {0, 3000}, {0, 2000}}},
        {3, 6, {1}, {{0, 3000}}},
        {2, 4, {0, 1}, {{2000, 3000}, {0, 1000}}},
        {8, 20, {2}, {{2000, 3000}}},
    };
    // The card, and its Recordings folder chosen as a folder of recordings.
    for (const bool folderMode : {false, true})
        for (const SpanCase& span : cases) {
            QString error;
            const QString root = folderMode ? Card() + "/Recordings" : Card();
            const QList<SpanRecording> found =
                FindSpanRecordings(root, folderMode, At(span.from), At(span.to), error);
            ASSERT_EQ(found.size(), span.recordings.size())
                << folderMode << " " << span.from << " " << error.toStdString();
            for (int i = 0; i < found.size(); ++i) {
                EXPECT_EQ(QFileInfo(found[i].path).fileName(),
                          IncidentCard::RecordingName(span.recordings[i]));
                EXPECT_EQ(found[i].lengthMs, IncidentCard::Seconds * 1000);
                EXPECT_EQ(std::pair(found[i].fromMs, found[i].toMs), span.parts[i]) << span.from;
            }
        }
}

TEST_F(IncidentSpanTest, AnEventThatRepeatsAMomentAddsOnlyWhatLiesBeyondIt) {
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath("Recordings"));
    const QDir recordings(Card() + "/Recordings");
    // The event starts 1 s into the normal recording and lasts 3 s: 2 s repeated, 1 s new.
    ASSERT_TRUE(QFile::copy(recordings.filePath(IncidentCard::RecordingName(0)),
                            folder.path() + "/Recordings/20130521_153000_NOR.MP4"));
    ASSERT_TRUE(QFile::copy(recordings.filePath(IncidentCard::RecordingName(2)),
                            folder.path() + "/Recordings/20130521_153001_EVT.MP4"));
    QString error;
    const QList<SpanRecording> found =
        FindSpanRecordings(folder.path(), false, At(0), At(10), error);
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(std::pair(found[0].fromMs, found[0].toMs), std::pair(0LL, 3000LL));
    EXPECT_EQ(std::pair(found[1].fromMs, found[1].toMs), std::pair(2000LL, 3000LL));
}

TEST_F(IncidentSpanTest, ASpanWithoutRecordingsOrBackwardsSaysSo) {
    QString error;
    EXPECT_TRUE(FindSpanRecordings(Card(), false, At(-60), At(-1), error).isEmpty());
    EXPECT_TRUE(error.contains("no recording")) << error.toStdString();
    error.clear();
    EXPECT_TRUE(FindSpanRecordings(Card(), false, At(5), At(5), error).isEmpty());
    EXPECT_TRUE(error.contains("not after its start")) << error.toStdString();
}

} // namespace
