#pragma once

#include <QDateTime>
#include <QString>

// A card of three recordings filmed back to back from 2013-05-21 15:30:00, three seconds each at
// ten frames a second: an MP4 with B-frames and AAC, an AVI with PCM, an MP4 without B-frames.
// Each picture carries the frame code 100 * recording + frame. The car's speed changes every
// second: the fix of second s of recording r, written at s * 1000 + FixDelayMs, says
// SpeedKnots(r, s); the G-sensor's x is 10 * r + the tenth of a second.
namespace IncidentCard {

constexpr int Recordings = 3;
constexpr int Seconds = 3;
constexpr int FramesPerSecond = 10;
constexpr int FixDelayMs = 250;
inline const QDateTime Start(QDate(2013, 5, 21), QTime(15, 30, 0), Qt::UTC);

double SpeedKnots(int recording, int second);
// The speed the program shows for a fix of that speed: km/h, truncated.
QString ShownSpeed(int recording, int second, bool milesPerHour = false);
QString RecordingName(int recording);

// Writes the card (Recordings/ and Config/setting.ini) into `root`; empty on success.
QString Write(const QString& root);

} // namespace IncidentCard
