#pragma once

#include "library/RecordingSummary.h"

#include <QDateTime>
#include <QList>

// The camera cuts a drive into recordings and starts the next one at once; a pause longer than
// this between one's end and the next one's start parts two trips.
constexpr qint64 TripGapMs = 10'000;

struct Trip {
    QDateTime start;
    QDateTime end;
    QList<int> recordings; // indexes into the recordings the trips were made of, oldest first
    double distanceKm = 0.0;
    double maxSpeedKmh = 0.0;
    int events = 0;
};

// The trips of recordings given oldest first (as a card's names sort); recordings of any kind
// join a trip, a recording without a time in its name joins none.
QList<Trip> GroupTrips(const QList<RecordingSummary>& recordings);

// The trip that holds a recording (its index into the same list), or -1.
int TripOf(const QList<Trip>& trips, int recording);
