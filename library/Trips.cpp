#include "library/Trips.h"

#include <algorithm>

QDateTime RecordingStartTime(QStringView name) {
    constexpr qsizetype TimeLength = 15; // YYYYMMDD_HHMMSS
    if (name.size() < TimeLength)
        return {};
    for (qsizetype i = 0; i < TimeLength; ++i)
        if ((i == 8) != (name[i] == u'_') || (i != 8 && !name[i].isDigit()))
            return {};
    const QDate date(name.mid(0, 4).toInt(), name.mid(4, 2).toInt(), name.mid(6, 2).toInt());
    const QTime time(name.mid(9, 2).toInt(), name.mid(11, 2).toInt(), name.mid(13, 2).toInt());
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time, Qt::UTC);
}

namespace {

void Join(Trip& trip, const QList<RecordingSummary>& recordings, int index) {
    const RecordingSummary& recording = recordings[index];
    if (!trip.recordings.isEmpty()) {
        // The few seconds between two recordings are driven too.
        const RecordingSummary& previous = recordings[trip.recordings.last()];
        if (previous.lastPoint && recording.firstPoint)
            trip.distanceKm += DistanceKm(*previous.lastPoint, *recording.firstPoint);
    } else {
        trip.start = recording.start;
        trip.end = recording.End();
    }
    trip.recordings.append(index);
    trip.end = std::max(trip.end, recording.End());
    trip.distanceKm += recording.distanceKm;
    trip.maxSpeedKmh = std::max(trip.maxSpeedKmh, recording.maxSpeedKmh);
    trip.events += int(recording.events.size());
}

} // namespace

QList<Trip> GroupTrips(const QList<RecordingSummary>& recordings) {
    QList<Trip> trips;
    for (int index = 0; index < recordings.size(); ++index) {
        const RecordingSummary& recording = recordings[index];
        if (!recording.start.isValid())
            continue;
        if (trips.isEmpty() || recording.start > trips.last().end.addMSecs(TripGapMs))
            trips.append(Trip{});
        Join(trips.last(), recordings, index);
    }
    return trips;
}

int TripOf(const QList<Trip>& trips, int recording) {
    for (int trip = 0; trip < trips.size(); ++trip)
        if (trips[trip].recordings.contains(recording))
            return trip;
    return -1;
}
