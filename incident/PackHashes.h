#pragma once

#include <QString>
#include <QStringList>

// The pack's list of hashes, in the format `sha256sum` writes and `sha256sum -c` reads:
// "<64 hex digits><space><space><path relative to the pack>" per line.
inline const QString HashListName = QStringLiteral("SHA256SUMS");

// The file's SHA-256 as 64 lower-case hex digits; empty when it cannot be read.
QString FileSha256(const QString& path);

// Writes the hash list over every file under `folder` (but itself), in path order; returns an
// error text, empty on success.
QString WriteHashList(const QString& folder);

// What is wrong with the pack at `folder`, one line per fault: a changed, missing or added file,
// a line of the list that cannot be read, or no list at all. Empty when the pack is intact.
QStringList VerifyPack(const QString& folder);
