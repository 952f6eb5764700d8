#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

// Reading and writing the boxes of an MP4 held in memory (a moov, never an mdat).
struct Mp4Box {
    QByteArray type;
    QByteArray body;  // after the size and type
    QByteArray whole; // with its header
};

// The boxes that follow one another in `body`; a box that runs past the end ends the list.
QList<Mp4Box> ReadBoxes(const QByteArray& body);
// The first box along a path of types ("mdia/minf/stbl") below `body`.
std::optional<Mp4Box> FindBox(const QByteArray& body, const QByteArray& path);

QByteArray MakeBox(const char* type, const QByteArray& body);
QByteArray MakeFullBox(const char* type, int version, quint32 flags, const QByteArray& body);

// Big-endian words, as every MP4 number is stored.
void AppendWord16(QByteArray& bytes, quint16 value);
void AppendWord32(QByteArray& bytes, quint32 value);
void AppendWord64(QByteArray& bytes, quint64 value);
