#include "library/CardScan.h"
#include "tests/telemetry/InjectedDrive.h"

#include <QDir>
#include <QFile>
#include <cstdio>

// `make CARD COUNT` writes a card of COUNT three-minute recordings in trips of ten, each with a
// brake and a turn among smooth driving (the test card of events, only larger); `scan CARD
// [CACHE]` sums the card up as the window's scan does, from CACHE when given.
namespace {

constexpr int RecordingSeconds = 180;
constexpr int RecordingsPerTrip = 10;
constexpr int RecordingsPerDay = 100;

int Make(const QString& root, int count) {
    const QString folder = root + QStringLiteral("/Recordings");
    if (!QDir().mkpath(folder))
        return 1;
    const QList<InjectedDrive::Injected> events = {{DrivingEventKind::Brake, 40000, 1500, 50},
                                                   {DrivingEventKind::Turn, 120000, 2500, 45}};
    for (int i = 0; i < count; ++i) {
        const int inDay = i % RecordingsPerDay;
        // A pause of an hour between trips keeps them apart.
        const int second = inDay * RecordingSeconds + inDay / RecordingsPerTrip * 3600;
        const QString name = QStringLiteral("2024%1%2_%3%4%5_NOR.AVI")
                                 .arg(i / RecordingsPerDay / 28 + 1, 2, 10, QLatin1Char('0'))
                                 .arg(i / RecordingsPerDay % 28 + 1, 2, 10, QLatin1Char('0'))
                                 .arg(second / 3600, 2, 10, QLatin1Char('0'))
                                 .arg(second / 60 % 60, 2, 10, QLatin1Char('0'))
                                 .arg(second % 60, 2, 10, QLatin1Char('0'));
        if (!InjectedDrive::WriteRecording(folder, name, RecordingSeconds, events))
            return 1;
    }
    return 0;
}

int Scan(const QString& root, const QString& cache) {
    const std::atomic<bool> never{false};
    const std::optional<CardScan> scan = ScanCard(root, false, EventRules{}, cache, {}, never);
    int events = 0;
    for (const RecordingSummary& recording : scan->recordings)
        events += int(recording.events.size());
    std::printf("%lld recordings, %lld trips, %d events, %d from the cache\n",
                qlonglong(scan->recordings.size()), qlonglong(scan->trips.size()), events,
                scan->readFromCache);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const QByteArray command = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (command == "make" && argc == 4)
        return Make(QFile::decodeName(argv[2]), QByteArray(argv[3]).toInt());
    if (command == "scan" && (argc == 3 || argc == 4))
        return Scan(QFile::decodeName(argv[2]) + u'/',
                    argc == 4 ? QFile::decodeName(argv[3]) : QString());
    std::fputs("usage: karvenna-scan-bench make CARD COUNT | scan CARD [CACHE]\n", stderr);
    return 2;
}
