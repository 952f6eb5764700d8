#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The camera's two settings files, relative to the card's root.
inline const QString SettingIniName = QStringLiteral("Config/setting.ini");
inline const QString SettingPcmIniName = QStringLiteral("Config/setting_pcm.ini");

// The whole file; nullopt when it cannot be read, with the reason in `error`.
std::optional<QByteArray> ReadWholeFile(const QString& path, QString& error);

// Before a format both settings files are copied into a folder of the program's own data, one
// folder per format named by its time, so that they survive a write-back that fails.
QString SettingsBackupsFolder();
QString NewSettingsBackupFolder();
// The newest of those folders; empty when there is none.
QString LatestSettingsBackup();

struct RestoreReport {
    enum Outcome {
        Restored,      // `files` were written to the card
        NoCopies,      // the backup folder holds neither file
        AlreadyOnCard, // nothing written: the card has every file kept, and no replacing was asked
        Failed,        // `error` says which file failed and why; files written before it stay
    };
    Outcome outcome = NoCopies;
    QStringList files;
    QString error;
};

// Writes the kept copies in backupFolder to the card at driveRoot, each file whole. A file the
// card already has is replaced only when `replace` is set.
RestoreReport RestoreSettings(const QString& backupFolder, const QString& driveRoot, bool replace);
