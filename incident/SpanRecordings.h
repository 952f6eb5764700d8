#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// Times on the camera's own clock, as its recording names carry them. They are held as UTC
// QDateTimes so that no zone or daylight-saving rule of this PC shifts them.
std::optional<QDateTime> ParseCameraTime(const QString& text); // "2013-05-21T15:30:05"
QString CameraTimeText(const QDateTime& time);                 // the same form
// The start a recording's name carries in its first fifteen characters, "YYYYMMDD_HHMMSS".
std::optional<QDateTime> RecordingStart(const QString& name);

// A recording of the card and the part of a span it shows.
struct SpanRecording {
    QString path;
    QDateTime start;   // camera time of its first picture
    qint64 lengthMs;   // as the container says
    qint64 fromMs = 0; // the part of the span it contributes to the clip, from its start
    qint64 toMs = 0;
};

// The recordings of the card at `libraryRoot` (or, in folder mode, of that folder) whose time
// overlaps [from, to], in time order. Each contributes to the clip what the one before it has not
// shown already: an Event recording that repeats part of a Normal one adds only what lies beyond
// it. Sets `error` when there is none.
QList<SpanRecording> FindSpanRecordings(const QString& libraryRoot, bool folderMode,
                                        const QDateTime& from, const QDateTime& to, QString& error);
