#include "library/Trips.h"

#include <gtest/gtest.h>

namespace {

// A recording of `seconds` starting at the time its name carries.
RecordingSummary Recording(const QString& name, int seconds, double km = 0.0, int events = 0) {
    RecordingSummary recording;
    recording.name = name;
    recording.start = RecordingStartTime(name);
    recording.lengthMs = seconds * 1000;
    recording.hasTelemetry = km > 0.0;
    recording.distanceKm = km;
    recording.maxSpeedKmh = km * 10;
    recording.events.resize(events);
    return recording;
}

QList<QList<int>> TripIndexes(const QList<Trip>& trips) {
    QList<QList<int>> indexes;
    for (const Trip& trip : trips)
        indexes.append(trip.recordings);
    return indexes;
}

struct TripCase {
    const char* what;
    QList<RecordingSummary> recordings;
    QList<QList<int>> trips;
};

TEST(Trips, NextRecordingWithinTheGapContinuesTheTrip) {
    const TripCase cases[] = {
        {"back to back, kinds mixed",
         {Recording("20130521_153000_NOR.AVI", 60), Recording("20130521_153100_EVT.MP4", 60),
          Recording("20130521_153200_MOT.AVI", 60)},
         {{0, 1, 2}}},
        {"a gap of exactly the limit joins, one second more parts",
         {Recording("20130521_153000_NOR.AVI", 60), Recording("20130521_153110_NOR.AVI", 60),
          Recording("20130521_153221_NOR.AVI", 60)},
         {{0, 1}, {2}}},
        {"across midnight",
         {Recording("20130521_235900_NOR.AVI", 60), Recording("20130522_000002_NOR.AVI", 60)},
         {{0, 1}}},
        {"a missing recording leaves a gap",
         {Recording("20130521_153000_NOR.AVI", 60), Recording("20130521_153200_NOR.AVI", 60)},
         {{0}, {1}}},
        {"a recording without telemetry still joins by its length",
         {Recording("20130521_153000_NOR.AVI", 60, 1.0), Recording("20130521_153100_NOR.AVI", 60),
          Recording("20130521_153200_NOR.AVI", 60, 1.0)},
         {{0, 1, 2}}},
        {"the same second twice, a short one inside a long one",
         {Recording("20130521_153000_EVT.AVI", 10), Recording("20130521_153000_NOR.AVI", 60),
          Recording("20130521_153105_NOR.AVI", 60)},
         {{0, 1, 2}}},
        {"a name without a time joins no trip",
         {Recording("20130521_153000_NOR.AVI", 60), Recording("CLIP_0001.AVI", 60),
          Recording("20130521_153100_NOR.AVI", 60)},
         {{0, 2}}},
        {"no recordings", {}, {}},
    };
    for (const TripCase& c : cases)
        EXPECT_EQ(TripIndexes(GroupTrips(c.recordings)), c.trips) << c.what;
}

TEST(Trips, SumUpTheirRecordings) {
    QList<RecordingSummary> recordings = {Recording("20130521_235930_NOR.AVI", 60, 1.0, 1),
                                          Recording("20130522_000030_EVT.MP4", 45, 0.5, 2),
                                          Recording("20130522_010000_NOR.AVI", 60, 0.2)};
    recordings[0].lastPoint = TrackPoint{37.0, 127.0};
    recordings[1].firstPoint = TrackPoint{37.001, 127.0}; // 111 m on
    const QList<Trip> trips = GroupTrips(recordings);
    ASSERT_EQ(trips.size(), 2);
    EXPECT_EQ(trips[0].start.toString(Qt::ISODate), "2013-05-21T23:59:30Z");
    EXPECT_EQ(trips[0].end.toString(Qt::ISODate), "2013-05-22T00:01:15Z");
    EXPECT_NEAR(trips[0].distanceKm, 1.5 + 0.111, 0.001);
    EXPECT_DOUBLE_EQ(trips[0].maxSpeedKmh, 10.0);
    EXPECT_EQ(trips[0].events, 3);
    EXPECT_EQ(TripOf(trips, 1), 0);
    EXPECT_EQ(TripOf(trips, 2), 1);
    EXPECT_EQ(TripOf(trips, 3), -1);
}

TEST(Trips, RecordingStartTimeReadsOnlyAWholeValidTime) {
    EXPECT_EQ(RecordingStartTime(u"20130521_153000_NOR.AVI"),
              QDateTime(QDate(2013, 5, 21), QTime(15, 30), Qt::UTC));
    for (const char16_t* name : {u"20130521-153000_NOR.AVI", u"20130231_153000_NOR.AVI",
                                 u"20130521_256000_NOR.AVI", u"2013052_1153000", u"x"})
        EXPECT_FALSE(RecordingStartTime(name).isValid()) << QString::fromUtf16(name).toStdString();
}

} // namespace
