#pragma once

#include "settings/CardFormatter.h"
#include "settings/CardSettings.h"
#include "settings/SettingsBackups.h"

#include <QStringList>
#include <functional>

// What the card's owner does around a format.
struct FormatSteps {
    std::function<void()> releaseCard; // stop playback and close the player: no file in use
    std::function<void()> emptyLists;  // the recordings are gone
    // The formatted card is mounted at another root (udisks2 mounts it under its new label).
    // Initialized, so that owners with nothing to follow may leave it out.
    std::function<void(const QString& newRoot)> cardMoved = {};
};

struct FormatReport {
    enum Outcome {
        NotRemovable,        // no card, or not a removable drive: nothing happened
        SettingsNotKeepable, // a settings file could not be read or copied aside: not formatted
        Cancelled,           // the user declined: the old label is back
        Failed,              // the system could not format: the old label is back
        Formatted,           // both settings files are back on the card
        WriteBackFailed,     // formatted, but `files` could not be written back
    };
    Outcome outcome = NotRemovable;
    QStringList files; // the settings files concerned, relative to the card's root
    // The root the card has after a format (udisks2 may mount it at a new place).
    QString root;
    QString error; // Failed, WriteBackFailed: the system's reason, when it gave one
    // Where copies of both settings files were kept before anything on the card changed.
    QString backupFolder;
};

// The label a formatted card gets, as the camera names its cards. FAT labels hold at most 11
// characters, and mkfs.vfat refuses a longer one: the camera's name without its leading blank.
inline const QString FormattedCardLabel = QStringLiteral("KARVENNADVR");

// Formats the card at driveRoot and keeps the camera's two settings files across the format:
// keeps the label, releases the card, reads setting.ini into slot 2 and setting_pcm.ini into
// slot 1 of settings, sets the label, formats, then either restores the label or writes both
// files back and empties the lists. A file that was there goes back byte for byte (the camera
// wrote it, and the program's own writing would change it); one that was not is written from
// its empty record. Both files must be readable when present, and copied into backupFolder,
// before anything is changed on the card.
FormatReport FormatCard(const QString& driveRoot, CardFormatter& formatter, CardSettings& settings,
                        const FormatSteps& steps,
                        const QString& backupFolder = NewSettingsBackupFolder());
