#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <optional>

class CardLibrary;
class FileListView;
class PlaybackCommands;
class PlaybackEngine;
class SkinSlider;
class TripEventCommands;
class QWidget;

// An incident in the window: the span's start and end marked on the camera's clock while
// watching (i, o or their buttons; the span may cross recordings and is drawn on the position
// sliders), the evidence pack of that span written with a progress window, and a pack checked
// against its hashes.
class IncidentCommands : public QObject {
    Q_OBJECT
public:
    // Without marks, a pack takes this much before and after the playing recording's event.
    static constexpr qint64 EventMarginMs = 10'000;

    IncidentCommands(QWidget* window, const CardLibrary& library, FileListView& list,
                     PlaybackCommands& playback, PlaybackEngine& player,
                     const TripEventCommands& events, QList<SkinSlider*> positionSliders);

    // The playing picture's camera time becomes the span's start or end.
    void MarkStart();
    void MarkEnd();
    // The marks, in camera time (a recording's name tells its start).
    std::optional<QDateTime> SpanStart() const { return m_start; }
    std::optional<QDateTime> SpanEnd() const { return m_end; }
    // The span a pack would take now: the marks, else around the event of the playing recording
    // nearest to the position; nothing when neither is there.
    std::optional<std::pair<QDateTime, QDateTime>> PackSpan() const;

    // The pack button: export or check, from a menu.
    void OnPackButton();
    // Writes the pack of PackSpan() into `packFolder` (which must not exist yet) with a progress
    // window and Cancel, and says how it went; true when it was written.
    bool ExportPackTo(const QString& packFolder);
    // Says whether the pack at `folder` is intact, naming what is not.
    void CheckPackAt(const QString& folder);
    // The recording shown changed: the sliders show the span's part in it.
    void ShowSpan();

private:
    // The camera time of the playing picture; nothing while no recording plays.
    std::optional<QDateTime> Now() const;
    std::optional<QDateTime> PlayingStart() const;

    QWidget* m_window;
    const CardLibrary& m_library;
    FileListView& m_list;
    PlaybackCommands& m_playback;
    PlaybackEngine& m_player;
    const TripEventCommands& m_events;
    QList<SkinSlider*> m_sliders;
    std::optional<QDateTime> m_start;
    std::optional<QDateTime> m_end;
};
