#pragma once

#include <QString>

// Snapshot files are named after their recording: "<name without extension>_<n>.jpg", n of at
// least three digits.
QString SnapshotFileName(const QString& recordingName, int number);

// The name the capture dialog offers: number 1 while no snapshot folder is known yet, else the
// smallest number whose file is not in the folder.
QString SuggestSnapshotName(const QString& folder, const QString& recordingName);

// The file a snapshot is written to for the path chosen in the dialog: a ".jpg" ending of any
// case becomes ".jpg", any other name gets ".jpg" added (shot.png gives shot.png.jpg).
QString SnapshotTarget(const QString& chosenPath);

// The folder the next capture dialog opens in after a snapshot to `target`; empty when the path
// names none (the remembered folder then stays).
QString SnapshotFolderOf(const QString& target);
