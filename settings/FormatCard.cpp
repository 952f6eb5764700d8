#include "settings/FormatCard.h"

#include "common/WholeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

namespace {

// A settings file as the card held it: its bytes, or none when it was not there.
struct KeptFile {
    QString name;
    std::optional<QByteArray> bytes;
    bool readable = true;
};

KeptFile Keep(const QString& driveRoot, const QString& name) {
    KeptFile kept{name, std::nullopt};
    const QString path = driveRoot + name;
    if (!QFileInfo::exists(path))
        return kept;
    QString error;
    kept.bytes = ReadWholeFile(path, error);
    kept.readable = kept.bytes.has_value();
    return kept;
}

// Copies the files that were there; false when one of them could not be written whole.
bool BackUp(const QList<KeptFile>& files, const QString& folder) {
    if (!QDir().mkpath(folder + QStringLiteral("/Config")))
        return false;
    for (const KeptFile& file : files) {
        const QString to = folder + u'/' + file.name;
        QFile::remove(to);
        if (file.bytes && !WriteWholeFile(to, *file.bytes).isEmpty())
            return false;
    }
    return true;
}

// Puts a settings file on the new file system as it was; one that was not there is written from
// its record, as the settings window would write it.
bool WriteBack(const QString& newRoot, const KeptFile& file, SettingsRecord& record) {
    const QString path = newRoot + file.name;
    if (!file.bytes)
        return record.Write(path) == SettingsWriteResult::Written;
    return QDir().mkpath(QFileInfo(path).path()) && WriteWholeFile(path, *file.bytes).isEmpty();
}

} // namespace

FormatReport FormatCard(const QString& driveRoot, CardFormatter& formatter, CardSettings& settings,
                        const FormatSteps& steps, const QString& backupFolder) {
    FormatReport report;
    if (driveRoot.isEmpty() || !formatter.IsRemovableVolume(driveRoot))
        return report;
    const QString oldLabel = formatter.Label(driveRoot);
    if (steps.releaseCard)
        steps.releaseCard();

    settings.Read(SettingsSlot::Second, driveRoot + SettingIniName);
    settings.Read(SettingsSlot::First, driveRoot + SettingPcmIniName);
    // Copies: the slots belong to the main window, which lets go of them if the card's
    // volume is seen to go away while it is formatted.
    SettingsRecord setting = settings.Record(SettingsSlot::Second);
    SettingsRecord pcm = settings.Record(SettingsSlot::First);
    const KeptFile keptSetting = Keep(driveRoot, SettingIniName);
    const KeptFile keptPcm = Keep(driveRoot, SettingPcmIniName);
    for (const KeptFile& file : {keptSetting, keptPcm})
        if (!file.readable)
            report.files.append(file.name);
    if (report.files.isEmpty() && !BackUp({keptSetting, keptPcm}, backupFolder))
        report.files = QStringList{SettingIniName, SettingPcmIniName};
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
    if (newRoot.isEmpty() || !WriteBack(newRoot, keptSetting, setting))
        report.files.append(SettingIniName);
    if (newRoot.isEmpty() || !WriteBack(newRoot, keptPcm, pcm))
        report.files.append(SettingPcmIniName);
    report.error = result.error;
    report.root = newRoot;
    settings.Record(SettingsSlot::Second) = setting;
    settings.Record(SettingsSlot::First) = pcm;
    if (steps.emptyLists)
        steps.emptyLists();
    if (!newRoot.isEmpty() && newRoot != driveRoot && steps.cardMoved)
        steps.cardMoved(newRoot);
    report.outcome =
        report.files.isEmpty() ? FormatReport::Formatted : FormatReport::WriteBackFailed;
    return report;
}
