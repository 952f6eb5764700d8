#pragma once

#include "library/RecordingEntry.h"

#include <QList>
#include <QString>
#include <optional>

// The folder the list is filled from: the library root itself in folder mode, otherwise its
// "Recordings" folder (the root of a drive ends with '/', so the name is simply appended).
QString CatalogueFolder(const QString& libraryRoot, bool folderMode);

// The rows of the file list for a library root, in list order: every recording directly in the
// catalogue folder whose name ends in .AVI or .MP4 (any case), carries the kind's code at
// positions 16 to 18 (unless kind is All), is at least 1 KiB long and, with the date filter on,
// starts with the local date of selectedDate as YYYYMMDD. Sorted by name in UTF-16 code units.
// A folder that is missing or unreadable gives no rows.
QList<RecordingEntry> ListRecordings(const QString& libraryRoot, bool folderMode, KindFilter kind,
                                     bool dateFilter, qint64 selectedDate);

// The name grammar alone: a name ending in .AVI or .MP4 (any case), with the kind code at
// positions 16 to 18 unless the code is empty, and starting with the date text when there is one.
bool IsListedName(QStringView name, const QString& kindCode,
                  const std::optional<QString>& dateText);
