#pragma once

#include <QString>

// Kilobytes taken by the recordings of one kind ("NOR", "EVT" or "MOT") anywhere below a
// folder: every .AVI or .MP4 file (any case) with the kind's code at positions 16 to 18 of its
// name (any case), whatever folder it lies in. Each file counts its size in whole kilobytes,
// rounded down. Folders that cannot be read count 0; links to folders are not followed.
qint64 MeasureKindUsage(const QString& folder, const QString& kindCode);
