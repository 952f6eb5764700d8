#include "settings/FormatCard.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString SettingIni = QStringLiteral("Config/setting.ini");
const QString SettingPcmIni = QStringLiteral("Config/setting_pcm.ini");

// A present file that cannot be read, or a record the file format cannot hold, would be lost.
bool Keepable(const QString& path, int readResult, const SettingsRecord& record) {
    if (readResult != SettingsReadResult::Read && QFileInfo::exists(path))
        return false;
    return record.CheckWritable() == SettingsWriteResult::Written;
}

// Copies the settings files that exist; false when one of them could not be copied whole.
bool BackUp(const QString& driveRoot, const QString& folder) {
    if (!QDir().mkpath(folder + QStringLiteral("/Config")))
        return false;
    for (const QString& name : {SettingIni, SettingPcmIni}) {
        const QString from = driveRoot + name;
        const QString to = folder + u'/' + name;
        QFile::remove(to);
        if (QFileInfo::exists(from) && !QFile::copy(from, to))
            return false;
    }
    return true;
}

} // namespace

QString NewSettingsBackupFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/settings-backup/") +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
}

FormatReport FormatCard(const QString& driveRoot, CardFormatter& formatter, CardSettings& settings,
                        const FormatSteps& steps, const QString& backupFolder) {
    FormatReport report;
    if (driveRoot.isEmpty() || !formatter.IsRemovableVolume(driveRoot))
        return report;
    const QString oldLabel = formatter.Label(driveRoot);
    if (steps.releaseCard)
        steps.releaseCard();

    const int settingRead = settings.Read(SettingsSlot::Second, driveRoot + SettingIni);
    const int pcmRead = settings.Read(SettingsSlot::First, driveRoot + SettingPcmIni);
    // Copies: the slots belong to the main window, which lets go of them if the card's
    // volume is seen to go away while it is formatted.
    SettingsRecord setting = settings.Record(SettingsSlot::Second);
    SettingsRecord pcm = settings.Record(SettingsSlot::First);
    if (!Keepable(driveRoot + SettingIni, settingRead, setting))
        report.files.append(SettingIni);
    if (!Keepable(driveRoot + SettingPcmIni, pcmRead, pcm))
        report.files.append(SettingPcmIni);
    if (report.files.isEmpty() && !BackUp(driveRoot, backupFolder))
        report.files = QStringList{SettingIni, SettingPcmIni};
    if (!report.files.isEmpty()) {
        report.outcome = FormatReport::SettingsNotKeepable;
        return report;
    }
    report.backupFolder = backupFolder;

    formatter.SetLabel(driveRoot, FormattedCardLabel);
    const FormatResult result = formatter.Format(driveRoot, FormattedCardLabel);
    if (result.status != FormatResult::Formatted) {
        formatter.SetLabel(driveRoot, oldLabel);
        report.outcome = result.status == FormatResult::Cancelled ? FormatReport::Cancelled
                                                                  : FormatReport::Failed;
        report.error = result.error;
        return report;
    }

    // Without a root the new file system is not mounted: nothing can be written back.
    const QString& newRoot = result.root;
    if (newRoot.isEmpty() || setting.Write(newRoot + SettingIni) != SettingsWriteResult::Written)
        report.files.append(SettingIni);
    if (newRoot.isEmpty() || pcm.Write(newRoot + SettingPcmIni) != SettingsWriteResult::Written)
        report.files.append(SettingPcmIni);
    report.error = result.error;
    report.root = newRoot;
    settings.Record(SettingsSlot::Second) = setting;
    settings.Record(SettingsSlot::First) = pcm;
    if (steps.emptyLists)
        steps.emptyLists();
    report.outcome =
        report.files.isEmpty() ? FormatReport::Formatted : FormatReport::WriteBackFailed;
    return report;
}
