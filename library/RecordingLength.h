#pragma once

#include <QString>
#include <optional>

class QIODevice;

// How long a recording plays, in milliseconds, from its container's header alone (a few small
// reads, no picture decoded): the AVI main header's frame count and frame time, or the MP4 movie
// header's duration. Absent for an unfinished recording (nothing counted yet), a file of
// neither kind and one that cannot be read.
std::optional<qint64> RecordingLengthMs(QIODevice& file);
std::optional<qint64> RecordingLengthMs(const QString& path);
