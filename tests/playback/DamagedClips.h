#pragma once

#include <QByteArray>
#include <QString>

// Damage done to the bytes of the test clips, as cards, cameras and power cuts do it.
namespace Damage {

QByteArray Read(const QString& path);
// Writes `bytes` as `name` in the clips' folder; returns the path.
QString Write(const QString& name, const QByteArray& bytes);

// What the camera leaves when the power goes: no idx1, RIFF and movi sizes, total frames and
// stream lengths never written.
QByteArray PowerCut(QByteArray avi);
// The idx1 index dropped, everything else as finished.
QByteArray WithoutIndex(const QByteArray& avi);
// The moov box cut out of an MP4.
QByteArray WithoutMoov(QByteArray mp4);
// A finished AVI's idx1 entries in a random order.
QByteArray IndexShuffled(QByteArray avi, int seed);
// The chunk offsets of idx1's entries from `fromEntry` on set to random values.
QByteArray IndexOffsetsScrambled(QByteArray avi, int fromEntry, int seed);
// Every entry of an MP4's first sample table `box` ("stsz", "stco") set to `value`.
QByteArray WithTableEntries(QByteArray mp4, const char* box, quint32 value);
// `length` random bytes from `from` on.
QByteArray Garbled(QByteArray bytes, qsizetype from, qsizetype length, int seed);

QByteArray Truncated(const QByteArray& bytes, double fraction);
// `count` bytes set to random values, all after the first `from` bytes.
QByteArray Flipped(QByteArray bytes, int seed, int count, qsizetype from = 0);
QByteArray Zeroed(QByteArray bytes, double fromFraction, double toFraction);
// A 32-bit word at `offset` in the file's byte order (little-endian for AVI, big for MP4).
QByteArray WithWord(QByteArray bytes, qsizetype offset, quint32 value, bool bigEndian = false);

// Where `fourCc` first starts after `from`, -1 for nowhere.
qsizetype Find(const QByteArray& bytes, const char* fourCc, qsizetype from = 0);

} // namespace Damage
