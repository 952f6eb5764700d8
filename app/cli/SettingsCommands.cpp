#include "app/cli/CliCommand.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "settings/CardInformation.h"
#include "settings/CardSettings.h"
#include "settings/FormatCard.h"
#include "settings/SettingsBackups.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"
#include "settings/UDisksCardFormatter.h"
#include "settings/WifiPassword.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

// A card's root as the program writes it: the folder with a final '/'.
QString CardRoot(const QString& path) {
    return path.endsWith(u'/') ? path : path + u'/';
}

QJsonValue FieldValue(const SettingsRecord& record, const SettingField& field) {
    return std::visit([&](auto member) { return QJsonValue(record.*member); }, field);
}

// Reads a file for a command that needs its contents; false, with a message, when it cannot.
bool ReadForCommand(CardSettings& info, SettingsSlot slot, const QString& path) {
    switch (info.Read(slot, path)) {
    case SettingsReadResult::CannotRead:
        PrintError(QStringLiteral("cannot read %1").arg(path));
        return false;
    case SettingsReadResult::PasswordUndecodable:
        PrintError(QStringLiteral("the Wi-Fi password in %1 cannot be decoded").arg(path));
        return false;
    }
    return true;
}

int ShowSettings(const QString& path) {
    CardSettings info;
    QJsonObject object{{"read", info.Read(SettingsSlot::First, path)}};
    const SettingsRecord& record = info.Record(SettingsSlot::First);
    for (const SettingKey& key : SettingsKeys())
        object.insert(QString::fromLatin1(key.name.data(), qsizetype(key.name.size())),
                      FieldValue(record, key.field));
    PrintLine(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)).trimmed());
    return 0;
}

// Writes a record as the settings window does, with a message when it cannot.
int WriteRecord(SettingsRecord& record, const QString& out) {
    QString failure;
    switch (record.Write(out, &failure)) {
    case SettingsWriteResult::Written:
        return 0;
    case SettingsWriteResult::PasswordTooLong:
        PrintError(QStringLiteral("the Wi-Fi password is longer than %1 characters")
                       .arg(MaxStoredWifiPasswordLength));
        return 1;
    case SettingsWriteResult::TextNotWritable:
        PrintError(QStringLiteral("a text holds a character the settings file cannot hold"));
        return 1;
    default:
        PrintError(failure);
        return 1;
    }
}

int WriteSettings(const QString& in, const QString& out) {
    CardSettings info;
    if (!ReadForCommand(info, SettingsSlot::First, in))
        return 1;
    return WriteRecord(info.Record(SettingsSlot::First), out);
}

// The file Save writes after "Initialize all settings.": the pages' defaults with the
// program's version.
int InitializeSettings(const QString& card) {
    SettingsRecord record = DefaultSettingsRecord();
    record.pcm_version = LoadLangString(StringId::ProgramVersion);
    return WriteRecord(record, CardRoot(card) + QStringLiteral("Config/setting_pcm.ini"));
}

int DiffSettings(const QString& collected, const QString& reference) {
    CardSettings info;
    if (!ReadForCommand(info, SettingsSlot::First, collected) ||
        !ReadForCommand(info, SettingsSlot::Second, reference))
        return 1;
    PrintLine(QString::number(
        RecordsDiffer(info.Record(SettingsSlot::First), info.Record(SettingsSlot::Second))));
    return 0;
}

// Writes the settings files kept before a format back to the card: the newest copies unless
// --from names others, and over files the card has only with --replace.
int RestoreKeptSettings(QStringList args) {
    const QString chosen = TakeOption(args, QStringLiteral("--from"));
    const bool replace = TakeFlag(args, QStringLiteral("--replace"));
    ExpectPositional(args, 1);
    const QString root = CardRoot(args[0]);
    const QString from = chosen.isEmpty() ? LatestSettingsBackup() : chosen;
    if (from.isEmpty()) {
        PrintError(QStringLiteral("no settings files were kept before a format: %1 holds none")
                       .arg(SettingsBackupsFolder()));
        return 1;
    }
    const RestoreReport report = RestoreSettings(from, root, replace);
    const QString files = report.files.join(QStringLiteral(", "));
    switch (report.outcome) {
    case RestoreReport::NoCopies:
        PrintError(QStringLiteral("%1 holds no copy of %2 or %3")
                       .arg(from, SettingIniName, SettingPcmIniName));
        return 1;
    case RestoreReport::AlreadyOnCard:
        PrintError(QStringLiteral("%1 already has the settings files kept in %2: add --replace to "
                                  "write the copies over them")
                       .arg(root, from));
        return 1;
    case RestoreReport::Failed:
        PrintError(report.files.isEmpty()
                       ? report.error
                       : QStringLiteral("%1 (%2 written)").arg(report.error, files));
        return 1;
    case RestoreReport::Restored:
        break;
    }
    PrintLine(QStringLiteral("wrote %1 to %2 from %3").arg(files, root, from));
    return 0;
}

int RunSettings(const QStringList& args) {
    const QString action = args.value(0);
    if (action == QLatin1String("restore"))
        return RestoreKeptSettings(args.mid(1));
    if (action == QLatin1String("show")) {
        ExpectPositional(args, 2);
        return ShowSettings(args[1]);
    }
    if (action == QLatin1String("init")) {
        ExpectPositional(args, 2);
        return InitializeSettings(args[1]);
    }
    ExpectPositional(args, 3);
    if (action == QLatin1String("write"))
        return WriteSettings(args[1], args[2]);
    if (action == QLatin1String("diff"))
        return DiffSettings(args[1], args[2]);
    throw UsageError{};
}

int RunCardInfo(const QStringList& args) {
    ExpectPositional(args, 1);
    const QString root = CardRoot(args[0]);
    CardSettings settings;
    settings.Read(SettingsSlot::First, root + QStringLiteral("Config/setting.ini"));
    settings.Read(SettingsSlot::Second, root + QStringLiteral("Config/setting_pcm.ini"));
    const CardInformation info = ReadCardInformation(root, settings.Record(SettingsSlot::Second),
                                                     settings.Record(SettingsSlot::First));
    const auto textOrNull = [](const QString& text) {
        return text.isEmpty() ? QJsonValue() : QJsonValue(text);
    };
    const QJsonObject object{
        {"total_gb", textOrNull(info.TotalText())},
        {"free_gb", textOrNull(info.FreeText())},
        {"normal_gb", info.NormalText()},
        {"event_gb", info.EventText()},
        {"motion_gb", info.MotionText()},
        {"normal_kb", info.normalKib},
        {"event_kb", info.eventKib},
        {"motion_kb", info.motionKib},
        {"fw_version", info.fwVersion},
        {"build_number", info.buildNumber},
        {"version", info.version},
    };
    PrintLine(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)).trimmed());
    return 0;
}

// The information page's format without a window: nothing plays here, so there is nothing to
// stop; --yes stands for the confirmation that the window asks for.
int RunFormat(const QStringList& arguments) {
    QStringList args = arguments;
    const bool confirmed = TakeFlag(args, QStringLiteral("--yes"));
    ExpectPositional(args, 1);
    const QString root = CardRoot(args[0]);
    if (!confirmed) {
        PrintError(QStringLiteral("formatting erases every recording on %1: add --yes").arg(root));
        return 2;
    }
    UDisksCardFormatter formatter;
    CardSettings settings;
    const FormatReport report = FormatCard(root, formatter, settings, {});
    const QString files = report.files.join(QStringLiteral(", "));
    switch (report.outcome) {
    case FormatReport::NotRemovable:
        PrintError(QStringLiteral("%1 is not the root of a removable drive's volume").arg(root));
        return 1;
    case FormatReport::SettingsNotKeepable:
        PrintError(LoadLangString(StringId::SettingsNotKeepable).arg(files));
        return 1;
    case FormatReport::Cancelled:
        PrintError(QStringLiteral("the format was not authorized; nothing changed"));
        return 1;
    case FormatReport::Failed:
        PrintError(LoadLangString(StringId::FormatFailed).arg(report.error));
        return 1;
    case FormatReport::WriteBackFailed:
        PrintError(LoadLangString(StringId::SettingsNotWrittenBack).arg(files));
        PrintError(LoadLangString(StringId::SettingsBackupKept).arg(report.backupFolder));
        PrintError(QStringLiteral("to write them back later: karvenna-cli settings restore %1 "
                                  "--from %2")
                       .arg(report.root.isEmpty() ? QStringLiteral("ROOT") : report.root,
                            report.backupFolder));
        return 1;
    case FormatReport::Formatted:
        break;
    }
    PrintLine(QStringLiteral("formatted %1 as %2, now at %3; both settings files are back, and "
                             "copies are kept in %4")
                  .arg(root, FormattedCardLabel, report.root, report.backupFolder));
    return 0;
}

int RunPassword(const QStringList& args) {
    ExpectPositional(args, 2);
    if (args[0] == QLatin1String("encode")) {
        const std::optional<QString> digits = EncodeWifiPassword(args[1]);
        if (!digits) {
            PrintError(QStringLiteral("a password has at most %1 characters, each up to U+00FF")
                           .arg(MaxStoredWifiPasswordLength));
            return 1;
        }
        PrintLine(*digits);
        return 0;
    }
    if (args[0] == QLatin1String("decode")) {
        const std::optional<QString> text = DecodeWifiPassword(args[1]);
        if (!text) {
            PrintError(QStringLiteral(
                "an encoded password needs at least 39 of its 40 hexadecimal digits"));
            return 1;
        }
        PrintLine(*text);
        return 0;
    }
    throw UsageError{};
}

} // namespace

const CliCommand SettingsCliCommands[] = {
    {"settings",
     "settings show FILE | settings write IN OUT | settings diff A B | settings init CARD | "
     "settings restore ROOT [--from BACKUP_DIR] [--replace]",
     RunSettings},
    {"card-info", "card-info ROOT", RunCardInfo},
    {"format", "format ROOT --yes", RunFormat},
    {"password", "password encode TEXT | password decode DIGITS", RunPassword},
};
const int SettingsCliCommandCount = std::size(SettingsCliCommands);
