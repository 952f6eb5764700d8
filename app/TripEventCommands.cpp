#include "app/TripEventCommands.h"

#include "app/ProgramSettings.h"
#include "library/ui/CardScanner.h"
#include "library/ui/FileListView.h"
#include "playback/PlaybackEngine.h"
#include "playback/ui/PlaybackCommands.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "skin/SkinLabel.h"
#include "telemetry/RecordingTelemetry.h"
#include "telemetry/ui/GSensorGraphView.h"

#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>

namespace {

using Sensitivity = TripEventCommands::Sensitivity;

// The weakest event that "More" still finds: a gentle brake or turn of an attentive driver.
constexpr int GentleStrength = 20;
const QString SensitivityKey = QStringLiteral("events/sensitivity");
const QString SensitivityNames[] = {QStringLiteral("more"), QStringLiteral("usual"),
                                    QStringLiteral("fewer")};

Sensitivity StoredSensitivity() {
    const QString stored = ProgramSettings().value(SensitivityKey).toString();
    for (int i = 0; i < int(std::size(SensitivityNames)); ++i)
        if (stored == SensitivityNames[i])
            return Sensitivity(i);
    return Sensitivity::Usual;
}

EventRules RulesOf(Sensitivity sensitivity) {
    switch (sensitivity) {
    case Sensitivity::More:
        return EventRules::AtLeast(GentleStrength);
    case Sensitivity::Fewer:
        return EventRules::AtLeast(EventRules::DefaultImpactStrength);
    case Sensitivity::Usual:
        break;
    }
    return EventRules{};
}

// One event of the card where it happened in the camera's time.
struct EventAt {
    QDateTime time;
    int recording;
    qint64 atMs;
};

} // namespace

TripEventCommands::TripEventCommands(QWidget* window, FileListView& list, GSensorGraphView& graph,
                                     PlaybackCommands& playback, PlaybackEngine& player)
    : QObject(window), m_list(list), m_graph(graph), m_playback(playback), m_player(player),
      m_scanner(new CardScanner(this)),
      m_status(new SkinLabel(window, StatusId, QRect(790, 110, 168, 13))),
      m_sensitivity(StoredSensitivity()) {
    m_status->SetFontHeight(11);
    m_status->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_status->setToolTip(LoadLangString(StringId::EventSensitivityTip));
    m_status->setCursor(Qt::PointingHandCursor);
    m_status->installEventFilter(this);
    connect(m_scanner, &CardScanner::progress, this, [this](int done, int total) {
        m_status->setText(LoadLangString(StringId::ScanningForEvents).arg(done).arg(total));
    });
    connect(m_scanner, &CardScanner::scanned, this, &TripEventCommands::OnScanned);
}

void TripEventCommands::OnListRefreshed(const QString& libraryRoot, bool folderMode, bool changed) {
    if (!changed && libraryRoot == m_scannedRoot && folderMode == m_scannedFolderMode)
        return;
    m_scannedRoot = libraryRoot;
    m_scannedFolderMode = folderMode;
    Rescan();
}

void TripEventCommands::Rescan() {
    m_scan = {};
    m_recordingByName.clear();
    m_piecesTrip = -1;
    m_pieces.clear();
    m_list.SetEventNames({});
    m_status->clear();
    m_scanner->Start(m_scannedRoot, m_scannedFolderMode, RulesOf(m_sensitivity));
}

void TripEventCommands::SetSensitivity(Sensitivity sensitivity) {
    if (sensitivity == m_sensitivity)
        return;
    m_sensitivity = sensitivity;
    ProgramSettings().setValue(SensitivityKey, SensitivityNames[int(sensitivity)]);
    if (!m_scannedRoot.isEmpty())
        Rescan();
}

bool TripEventCommands::eventFilter(QObject* watched, QEvent* event) {
    // On the press, as a menu button opens: the window behind would take the press for a drag.
    if (watched == m_status && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        ChooseSensitivity();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void TripEventCommands::ChooseSensitivity() {
    QMenu menu(m_status);
    for (const auto& [sensitivity, text] : {std::pair{Sensitivity::More, StringId::MoreEvents},
                                            {Sensitivity::Usual, StringId::UsualEvents},
                                            {Sensitivity::Fewer, StringId::FewerEvents}}) {
        QAction* choice = menu.addAction(LoadLangString(text));
        choice->setCheckable(true);
        choice->setChecked(sensitivity == m_sensitivity);
        connect(choice, &QAction::triggered, this,
                [this, sensitivity] { SetSensitivity(sensitivity); });
    }
    menu.exec(m_status->mapToGlobal(QPoint(0, m_status->height())));
}

void TripEventCommands::OnScanned(const CardScan& scan) {
    m_scan = scan;
    m_recordingByName.clear();
    m_piecesTrip = -1;
    m_pieces.clear();
    QSet<QString> names;
    for (int index = 0; index < m_scan.recordings.size(); ++index) {
        const RecordingSummary& recording = m_scan.recordings[index];
        m_recordingByName.insert(recording.name, index);
        if (!recording.events.isEmpty())
            names.insert(recording.name);
    }
    m_list.SetEventNames(names);
    ShowCount();
    if (const RecordingEntry* playing = m_list.Row(m_playback.CurrentIndex()))
        OnRecordingOpened(playing->path);
    emit scanned();
}

void TripEventCommands::ShowCount() {
    qsizetype count = 0;
    for (const RecordingSummary& recording : m_scan.recordings)
        count += recording.events.size();
    // Also none found: the count is where the choice of what to find is made.
    m_status->setText(
        m_scan.recordings.isEmpty() ? QString() : LoadLangString(StringId::EventCount).arg(count));
}

void TripEventCommands::OnRecordingOpened(const QString& path) {
    QList<qint64> marks;
    if (const auto found = m_recordingByName.constFind(QFileInfo(path).fileName());
        found != m_recordingByName.constEnd())
        for (const DrivingEvent& event : m_scan.recordings[*found].events)
            marks.append(event.atMs);
    m_graph.SetEventMarks(marks);
}

void TripEventCommands::StepEvent(int direction) {
    // Only the listed recordings' events: the filters say what the user is looking at.
    QHash<QString, int> rowByName;
    for (int row = 0; row < m_list.ItemCount(); ++row)
        rowByName.insert(m_list.Row(row)->name, row);
    QList<EventAt> events;
    for (int index = 0; index < m_scan.recordings.size(); ++index) {
        const RecordingSummary& recording = m_scan.recordings[index];
        if (!rowByName.contains(recording.name))
            continue;
        for (const DrivingEvent& event : recording.events) {
            const qint64 from = std::max<qint64>(event.atMs - LeadInMs, 0);
            events.append({recording.start.addMSecs(from), index, from});
        }
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const EventAt& a, const EventAt& b) { return a.time < b.time; });
    if (events.isEmpty())
        return;

    const RecordingEntry* playing =
        m_player.HasMedia() ? m_list.Row(m_playback.CurrentIndex()) : nullptr;
    const auto current =
        playing ? m_recordingByName.constFind(playing->name) : m_recordingByName.constEnd();
    const EventAt* chosen = nullptr;
    if (current == m_recordingByName.constEnd()) {
        chosen = direction > 0 ? &events.constFirst() : &events.constLast();
    } else {
        const QDateTime now = m_scan.recordings[*current].start.addMSecs(m_player.PositionMs());
        // A step back from just after an event's start goes to the one before it, as the
        // previous-track keys of players do.
        constexpr qint64 BackSlackMs = 1500;
        if (direction > 0) {
            const auto next = std::find_if(events.cbegin(), events.cend(),
                                           [&](const EventAt& e) { return e.time > now; });
            chosen = next == events.cend() ? nullptr : &*next;
        } else {
            const auto previous =
                std::find_if(events.crbegin(), events.crend(),
                             [&](const EventAt& e) { return e.time < now.addMSecs(-BackSlackMs); });
            chosen = previous == events.crend() ? nullptr : &*previous;
        }
    }
    if (chosen)
        PlayAt(chosen->recording, chosen->atMs);
}

void TripEventCommands::PlayAt(int recording, qint64 offsetMs) {
    const QString& name = m_scan.recordings[recording].name;
    const RecordingEntry* playing =
        m_player.HasMedia() ? m_list.Row(m_playback.CurrentIndex()) : nullptr;
    if (!playing || playing->name != name) {
        int row = 0;
        while (row < m_list.ItemCount() && m_list.Row(row)->name != name)
            ++row;
        if (row == m_list.ItemCount())
            return;
        m_playback.OnRowDoubleClicked(row);
    }
    m_playback.SeekTo(offsetMs);
}

int TripEventCommands::PlayingTrip() const {
    const RecordingEntry* playing =
        m_player.HasMedia() ? m_list.Row(m_playback.CurrentIndex()) : nullptr;
    const auto found =
        playing ? m_recordingByName.constFind(playing->name) : m_recordingByName.constEnd();
    return found == m_recordingByName.constEnd() ? -1 : TripOf(m_scan.trips, *found);
}

TripEventCommands::TripTrack TripEventCommands::TripTrackOf(const QString& recordingPath) {
    const auto found = m_recordingByName.constFind(QFileInfo(recordingPath).fileName());
    if (found == m_recordingByName.constEnd())
        return {};
    const int trip = TripOf(m_scan.trips, *found);
    if (trip < 0 || m_scan.trips[trip].recordings.size() < 2)
        return {};
    const Trip& drive = m_scan.trips[trip];
    if (trip != m_piecesTrip) {
        m_pieces.clear();
        for (const int recording : drive.recordings) {
            RecordingTelemetry telemetry;
            telemetry.Load(m_scan.recordings[recording].path);
            m_pieces.append(
                {telemetry.Fixes(), drive.start.msecsTo(m_scan.recordings[recording].start)});
        }
        m_piecesTrip = trip;
    }
    return {m_pieces, int(drive.recordings.indexOf(*found))};
}

void TripEventCommands::OnTrackClicked(qint64 trackMs) {
    const int trip = PlayingTrip();
    if (trip < 0 || trip != m_piecesTrip || m_scan.trips[trip].recordings.size() < 2) {
        m_playback.SeekTo(trackMs);
        return;
    }
    // The last recording that started at or before the time clicked holds it.
    const QList<int>& recordings = m_scan.trips[trip].recordings;
    int piece = 0;
    while (piece + 1 < m_pieces.size() && m_pieces[piece + 1].startMs <= trackMs)
        ++piece;
    PlayAt(recordings[piece], trackMs - m_pieces[piece].startMs);
}
