#pragma once

#include "library/RecordingSummary.h"
#include "library/Trips.h"
#include "telemetry/DrivingEvents.h"

#include <QList>
#include <QString>
#include <atomic>
#include <functional>
#include <optional>

// Every recording of a card summed up, and its trips: what the trip and event views show.
struct CardScan {
    QList<RecordingSummary> recordings; // oldest first, as the names sort
    QList<Trip> trips;
    int readFromCache = 0; // recordings whose summary the cache still held
};

// Called after each recording with how many are done of how many; may come on any thread.
using ScanProgress = std::function<void(int done, int total)>;

// Sums up every recording of the card at `libraryRoot` (its Recordings folder, or the root
// itself in folder mode), taking from the cache file what it holds of recordings whose video and
// telemetry files kept their sizes and times, and writing the cache back when anything was read
// anew (an empty `cachePath` keeps no cache). Runs on any thread; nullopt once `cancel` is set.
std::optional<CardScan> ScanCard(const QString& libraryRoot, bool folderMode,
                                 const EventRules& rules, const QString& cachePath,
                                 const ScanProgress& progress, const std::atomic<bool>& cancel);

// The cache file of a card in the user's cache folder, one per catalogue folder.
QString DefaultScanCachePath(const QString& libraryRoot, bool folderMode);

// One recording summed up from its files.
RecordingSummary SummarizeRecording(const QString& path, const QString& name,
                                    const EventRules& rules);

// The recordings of a trip, with their fixes in one list, in trip order.
QList<GpsFix> TripFixes(const CardScan& scan, int trip);
