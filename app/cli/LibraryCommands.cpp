#include "app/Language.h"
#include "app/cli/CliCommand.h"
#include "library/LinuxDriveProvider.h"
#include "library/RecordingCatalogue.h"
#include "resources/LocalizedStrings.h"

#include <QDateTime>
#include <QRegularExpression>

namespace {

KindFilter ToKindFilter(const QString& text) {
    static const QHash<QString, KindFilter> kinds = {{QStringLiteral("all"), KindAll},
                                                     {QStringLiteral("normal"), KindNormal},
                                                     {QStringLiteral("event"), KindEvent},
                                                     {QStringLiteral("motion"), KindMotion}};
    const auto kind = kinds.constFind(text);
    if (kind == kinds.constEnd())
        throw UsageError{};
    return *kind;
}

// Noon of the local day, a time that every day has whatever its clock changes.
qint64 ToSelectedDate(const QString& text) {
    static const QRegularExpression eightDigits(QStringLiteral("^\\d{8}$"));
    const QDate date = QDate::fromString(text, QStringLiteral("yyyyMMdd"));
    if (!eightDigits.match(text).hasMatch() || !date.isValid())
        throw UsageError{};
    return QDateTime(date, QTime(12, 0)).toSecsSinceEpoch();
}

int PrintDrives(const QStringList& args) {
    ExpectPositional(args, 0);
    SetUILanguage(ChooseUILanguage(ConfiguredLanguageValue(), QLocale::system()));
    for (const DriveCandidate& drive : LinuxDriveProvider(CardOption()).RemovableDrives())
        PrintLine(drive.root + u'\t' + drive.EntryText());
    return 0;
}

// The CLI takes a card's root with or without its final '/'.
QString AsLibraryRoot(const QString& root, bool folderMode) {
    return folderMode || root.isEmpty() || root.endsWith(u'/') ? root : root + u'/';
}

int PrintRecordings(const QStringList& argsIn) {
    QStringList args = argsIn;
    const KindFilter kind =
        ToKindFilter(TakeOption(args, QStringLiteral("--kind"), QStringLiteral("all")));
    const bool dateFilter = args.contains(QStringLiteral("--date"));
    const qint64 selectedDate =
        dateFilter ? ToSelectedDate(TakeOption(args, QStringLiteral("--date"))) : 0;
    const bool folderMode = TakeFlag(args, QStringLiteral("--folder"));
    ExpectPositional(args, 1);
    const QString root = AsLibraryRoot(args[0], folderMode);
    for (const RecordingEntry& row :
         ListRecordings(root, folderMode, kind, dateFilter, selectedDate))
        PrintLine(row.Texts().join(u'\t'));
    return 0;
}

} // namespace

const CliCommand LibraryCliCommands[] = {
    {"drives", "[--card PATH] drives", PrintDrives},
    {"list", "list ROOT [--kind all|normal|event|motion] [--date YYYYMMDD] [--folder]",
     PrintRecordings},
};
const int LibraryCliCommandCount = std::size(LibraryCliCommands);
