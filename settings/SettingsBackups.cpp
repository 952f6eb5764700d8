#include "settings/SettingsBackups.h"

#include "common/WholeFileWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

std::optional<QByteArray> ReadWholeFile(const QString& path, QString& error) {
    QFile file(path);
    std::optional<QByteArray> bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (file.error() == QFileDevice::NoError)
        return bytes;
    error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
    return std::nullopt;
}

QString SettingsBackupsFolder() {
    // One place for the window and karvenna-cli, whose application names differ.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/karvenna/settings-backup");
}

QString NewSettingsBackupFolder() {
    return SettingsBackupsFolder() + u'/' +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
}

QString LatestSettingsBackup() {
    // The names are times, so that the last in name order is the newest.
    const QDir folder(SettingsBackupsFolder());
    const QStringList names = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    return names.isEmpty() ? QString() : folder.filePath(names.last());
}

RestoreReport RestoreSettings(const QString& backupFolder, const QString& driveRoot, bool replace) {
    RestoreReport report;
    if (!QFileInfo(driveRoot).isDir()) {
        report.outcome = RestoreReport::Failed;
        report.error = QStringLiteral("%1 is not a folder").arg(driveRoot);
        return report;
    }
    QStringList missing; // from the card, or to be replaced there
    for (const QString& name : {SettingIniName, SettingPcmIniName}) {
        if (!QFileInfo::exists(backupFolder + u'/' + name))
            continue;
        report.outcome = RestoreReport::AlreadyOnCard;
        if (replace || !QFileInfo::exists(driveRoot + name))
            missing.append(name);
    }
    for (const QString& name : missing) {
        const QString target = driveRoot + name;
        const std::optional<QByteArray> bytes =
            ReadWholeFile(backupFolder + u'/' + name, report.error);
        if (!bytes) {
            report.outcome = RestoreReport::Failed;
            return report;
        }
        report.error = QDir().mkpath(QFileInfo(target).path())
                           ? WriteWholeFile(target, *bytes)
                           : QStringLiteral("cannot make the folder of %1").arg(target);
        if (!report.error.isEmpty()) {
            report.outcome = RestoreReport::Failed;
            return report;
        }
        report.files.append(name);
        report.outcome = RestoreReport::Restored;
    }
    return report;
}
