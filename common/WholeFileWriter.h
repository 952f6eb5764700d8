#pragma once

#include <QByteArray>
#include <QString>

// Every file the program makes is written whole or not at all: into a temporary file beside the
// target, synced to the disk, and only then under the target's name, each step checked (Qt's
// QSaveFile takes the name even when its sync failed). An existing file stays as it was until
// the new one is complete. Returns empty on success, else what failed and why.
// The temporary is named ".karvenna-XXXXXX": short, so that a target of 255 bytes still has one.
QString WriteWholeFile(const QString& path, const QByteArray& bytes);
