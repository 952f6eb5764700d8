#pragma once

#include "settings/SettingsRecord.h"

#include <optional>

// What the information page shows about a card: its size and free space, the space each kind
// of recording takes, the camera's firmware as its last setting_pcm.ini holds it, and the
// program's version.
struct CardInformation {
    std::optional<qint64> totalBytes; // none when the system cannot tell
    std::optional<qint64> freeBytes;  // available to the user
    qint64 normalKib = 0;
    qint64 eventKib = 0;
    qint64 motionKib = 0;
    QString fwVersion;
    QString buildNumber;
    QString version;

    // The read-outs' texts, "%.1f GB"; empty for a size the system could not tell.
    QString TotalText() const;
    QString FreeText() const;
    QString NormalText() const;
    QString EventText() const;
    QString MotionText() const;
};

// Sizes of the volume holding driveRoot and of the kinds below its Recordings folder; the
// firmware texts come from the program's file (setting_pcm.ini) as read, and where it holds
// none (never written, or written by a program that leaves them out) from the camera's own
// file (setting.ini).
CardInformation ReadCardInformation(const QString& driveRoot, const SettingsRecord& programFile,
                                    const SettingsRecord& cameraFile);

// A volume's size: whole megabytes first, then gigabytes in single precision, as the camera's
// own read-out rounds.
QString VolumeSizeText(qint64 bytes);
// Kilobytes of recordings as gigabytes.
QString RecordingsSizeText(qint64 kib);
