#include "app/cli/TripCommands.h"

#include "app/cli/CliCommand.h"
#include "library/CardScan.h"
#include "library/RecordingCatalogue.h"
#include "telemetry/TelemetryExport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <cmath>

namespace {

const QString CameraTimeFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

// Members in the order a reader of the output expects them, each value as JSON writes it.
using Members = QList<std::pair<const char*, QJsonValue>>;

QString ObjectText(const Members& members) {
    QStringList texts;
    for (const auto& [key, value] : members) {
        const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
        texts << QStringLiteral("\"%1\": %2")
                     .arg(QLatin1String(key), QString::fromUtf8(array.mid(1, array.size() - 2)));
    }
    return u'{' + texts.join(QStringLiteral(", ")) + u'}';
}

// One object a line, so that a person can read the array too.
void PrintArray(const QStringList& objects) {
    if (objects.isEmpty()) {
        PrintLine(QStringLiteral("[]"));
        return;
    }
    PrintLine(QStringLiteral("[\n  ") + objects.join(QStringLiteral(",\n  ")) +
              QStringLiteral("\n]"));
}

double Rounded(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

QJsonValue Speed(const std::optional<double>& kmh) {
    return kmh ? QJsonValue(Rounded(*kmh, 1)) : QJsonValue(QJsonValue::Null);
}

// The scan of the card at `root`, from the user's cache where the files did not change; nullopt
// with a message when the card has no recordings folder.
std::optional<CardScan> ScanCardRoot(const QString& rootIn, const EventRules& rules) {
    const QString root = rootIn.endsWith(u'/') ? rootIn : rootIn + u'/';
    const QString folder = CatalogueFolder(root, false);
    if (!QDir(folder).exists()) {
        PrintError(QStringLiteral("no recordings folder at %1").arg(folder));
        return std::nullopt;
    }
    const std::atomic<bool> never{false};
    return ScanCard(root, false, rules, DefaultScanCachePath(root, false), {}, never);
}

int PrintTrips(const QStringList& args) {
    ExpectPositional(args, 1);
    const std::optional<CardScan> scan = ScanCardRoot(args[0], EventRules{});
    if (!scan)
        return 1;
    QStringList objects;
    for (const Trip& trip : scan->trips) {
        QJsonArray names;
        for (int index : trip.recordings)
            names.append(scan->recordings[index].name);
        objects << ObjectText({{"start", trip.start.toString(CameraTimeFormat)},
                               {"end", trip.end.toString(CameraTimeFormat)},
                               {"recordings", names},
                               {"distance_km", Rounded(trip.distanceKm, 3)},
                               {"max_speed_kmh", Rounded(trip.maxSpeedKmh, 1)},
                               {"events", trip.events}});
    }
    PrintArray(objects);
    return 0;
}

int PrintEvents(const QStringList& argsIn) {
    QStringList args = argsIn;
    EventRules rules;
    if (const QString minimum = TakeOption(args, QStringLiteral("--min-strength"));
        !minimum.isNull()) {
        bool ok = false;
        const int strength = minimum.toInt(&ok);
        if (!ok || strength < 1)
            throw UsageError{};
        rules = EventRules::AtLeast(strength);
    }
    ExpectPositional(args, 1);
    const std::optional<CardScan> scan = ScanCardRoot(args[0], rules);
    if (!scan)
        return 1;
    struct Found {
        const RecordingSummary* recording;
        const DrivingEvent* event;
        QDateTime at;
    };
    QList<Found> found;
    for (const RecordingSummary& recording : scan->recordings)
        for (const DrivingEvent& event : recording.events)
            found.append({&recording, &event, recording.start.addMSecs(event.atMs)});
    std::stable_sort(found.begin(), found.end(),
                     [](const Found& a, const Found& b) { return a.at < b.at; });
    QStringList objects;
    for (const auto& [recording, event, at] : found)
        objects << ObjectText({{"recording", recording->name},
                               {"at_ms", event->atMs},
                               {"kind", DrivingEventKindName(event->kind)},
                               {"strength", event->strength},
                               {"speed_before_kmh", Speed(event->speedBeforeKmh)},
                               {"speed_after_kmh", Speed(event->speedAfterKmh)}});
    PrintArray(objects);
    return 0;
}

} // namespace

int ExportTripTrack(const QString& root, const QString& trip, const QString& gpxPath) {
    bool ok = false;
    const int index = trip.toInt(&ok);
    if (!ok || index < 0 || gpxPath.isEmpty())
        throw UsageError{};
    const std::optional<CardScan> scan = ScanCardRoot(root, EventRules{});
    if (!scan)
        return 1;
    if (index >= scan->trips.size()) {
        PrintError(QStringLiteral("the card holds %1 trips (0 the oldest); there is no trip %2")
                       .arg(scan->trips.size())
                       .arg(index));
        return 1;
    }
    const QList<GpsFix> fixes = TripFixes(*scan, index);
    if (fixes.isEmpty()) {
        PrintError(QStringLiteral("trip %1 holds no GPS fix").arg(index));
        return 1;
    }
    const QString name =
        QStringLiteral("Trip of %1").arg(scan->trips[index].start.toString(CameraTimeFormat));
    if (const QString error = WriteGpxTrack(fixes, name, gpxPath); !error.isEmpty()) {
        PrintError(error);
        return 1;
    }
    return 0;
}

const CliCommand TripCliCommands[] = {
    {"trips", "trips ROOT", PrintTrips},
    {"events", "events ROOT [--min-strength S]", PrintEvents},
};
const int TripCliCommandCount = std::size(TripCliCommands);
