#include "library/CardScan.h"

#include "library/ScanCache.h"
#include "tests/telemetry/InjectedDrive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using InjectedDrive::Injected;

const Injected Impact{DrivingEventKind::Impact, 2000, 100, 90};
const Injected Turn{DrivingEventKind::Turn, 5000, 2000, 50};

class CardScanTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(card.path()).mkdir("Recordings"));
        ASSERT_TRUE(InjectedDrive::WriteRecording(Folder(), "20130521_153000_NOR.AVI", 10, {}));
        ASSERT_TRUE(
            InjectedDrive::WriteRecording(Folder(), "20130521_153010_EVT.AVI", 10, {Impact}));
        ASSERT_TRUE(InjectedDrive::WriteRecording(Folder(), "20130521_160000_NOR.AVI", 10, {}));
    }

    QString Folder() const { return card.filePath("Recordings"); }
    QString Root() const { return card.path() + u'/'; }
    QString CachePath() const { return cacheFolder.filePath("cache/scan"); }

    CardScan Scan() {
        const std::optional<CardScan> scan =
            ScanCard(Root(), false, EventRules{}, CachePath(), {}, noCancel);
        EXPECT_TRUE(scan);
        return scan.value_or(CardScan{});
    }

    // Gives a .gsf other samples, keeping its size and, when asked, its modification time.
    void ReplaceSamples(const QString& name, const QList<Injected>& events, bool keepTime) {
        const QString pathText = card.filePath("Recordings/" + name);
        const QByteArray path = QFile::encodeName(pathText);
        struct stat before;
        ASSERT_EQ(stat(path.constData(), &before), 0);
        ASSERT_TRUE(InjectedDrive::WriteFile(
            pathText, InjectedDrive::GsfBytes(InjectedDrive::Samples(10, events))));
        timespec times[2] = {before.st_atim, before.st_mtim};
        if (!keepTime)
            times[1].tv_sec += 1;
        ASSERT_EQ(utimensat(AT_FDCWD, path.constData(), times, 0), 0);
    }

    QTemporaryDir card;
    QTemporaryDir cacheFolder;
    std::atomic<bool> noCancel{false};
};

int EventCount(const CardScan& scan) {
    int events = 0;
    for (const RecordingSummary& recording : scan.recordings)
        events += int(recording.events.size());
    return events;
}

TEST_F(CardScanTest, SumsUpTheCardIntoTrips) {
    const CardScan scan = Scan();
    ASSERT_EQ(scan.recordings.size(), 3);
    EXPECT_EQ(scan.readFromCache, 0);
    EXPECT_EQ(scan.recordings[1].lengthMs, 10000);
    EXPECT_EQ(scan.recordings[1].path, Folder() + "/20130521_153010_EVT.AVI");
    ASSERT_EQ(scan.recordings[1].events.size(), 1);
    EXPECT_EQ(scan.recordings[1].events[0].kind, DrivingEventKind::Impact);
    EXPECT_NEAR(scan.recordings[0].maxSpeedKmh, InjectedDrive::CruiseKmh, 0.01);
    ASSERT_EQ(scan.trips.size(), 2);
    EXPECT_EQ(scan.trips[0].recordings, (QList<int>{0, 1}));
    EXPECT_EQ(scan.trips[0].events, 1);
    // From the first fix to the last, nineteen seconds at 60 km/h.
    EXPECT_NEAR(scan.trips[0].distanceKm, 19 * InjectedDrive::CruiseKmh / 3600, 0.005);
}

TEST_F(CardScanTest, SecondScanComesFromTheCache) {
    const CardScan first = Scan();
    // Other samples behind the same size and time are not looked at again.
    ReplaceSamples("20130521_153000_NOR.gsf", {Turn}, true);
    const CardScan second = Scan();
    EXPECT_EQ(second.readFromCache, 3);
    EXPECT_EQ(second.recordings, first.recordings);
    EXPECT_EQ(EventCount(second), 1);
}

TEST_F(CardScanTest, AChangedTelemetryFileIsReadAgain) {
    Scan();
    ReplaceSamples("20130521_153000_NOR.gsf", {Turn}, false);
    const CardScan scan = Scan();
    EXPECT_EQ(scan.readFromCache, 2);
    ASSERT_EQ(scan.recordings[0].events.size(), 1);
    EXPECT_EQ(scan.recordings[0].events[0].kind, DrivingEventKind::Turn);
    // A removed telemetry file counts as a change too.
    ASSERT_TRUE(QFile::remove(card.filePath("Recordings/20130521_153010_EVT.gsf")));
    const CardScan without = Scan();
    EXPECT_EQ(without.readFromCache, 2);
    EXPECT_TRUE(without.recordings[1].events.isEmpty());
    EXPECT_EQ(Scan().readFromCache, 3);
}

TEST_F(CardScanTest, ADamagedCacheOrOtherRulesMeanAFreshScan) {
    const CardScan first = Scan();
    QFile cache(CachePath());
    ASSERT_TRUE(cache.open(QIODevice::ReadWrite));
    ASSERT_TRUE(cache.resize(cache.size() - 5));
    cache.close();
    const CardScan second = Scan();
    EXPECT_EQ(second.readFromCache, 0);
    EXPECT_EQ(second.recordings, first.recordings);
    const std::optional<CardScan> stricter =
        ScanCard(Root(), false, EventRules::AtLeast(100), CachePath(), {}, noCancel);
    ASSERT_TRUE(stricter);
    EXPECT_EQ(stricter->readFromCache, 0);
    EXPECT_EQ(EventCount(*stricter), 0);
}

TEST_F(CardScanTest, ReportsProgressAndStopsWhenCancelled) {
    QList<std::pair<int, int>> steps;
    std::atomic<bool> cancel{false};
    const auto progress = [&](int done, int total) {
        steps.append({done, total});
        cancel = done == 2;
    };
    EXPECT_FALSE(ScanCard(Root(), false, EventRules{}, CachePath(), progress, cancel));
    EXPECT_EQ(steps, (QList<std::pair<int, int>>{{1, 3}, {2, 3}}));
    EXPECT_FALSE(QFile::exists(CachePath()));
    steps.clear();
    const std::optional<CardScan> scan =
        ScanCard(Root(), false, EventRules{}, QString(), progress, noCancel);
    ASSERT_TRUE(scan);
    EXPECT_EQ(steps.last(), std::pair(3, 3));
}

} // namespace
