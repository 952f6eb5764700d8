#include "app/Language.h"
#include "app/cli/CliCommand.h"
#include "common/NativePath.h"
#include "library/LinuxDriveProvider.h"
#include "library/RecordingCatalogue.h"
#include "library/RecordingSave.h"
#include "playback/UnfinishedMp4.h"
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
         ListRecordings(root, folderMode, kind, dateFilter, selectedDate)) {
        PrintLine(row.Texts().join(u'\t'));
        // The list stays as the window shows it; a recording that cannot play is told apart.
        if (row.path.right(3).toUpper() == QLatin1String("MP4"))
            if (const QString unfinished = UnfinishedMp4Reason(row.path); !unfinished.isEmpty())
                PrintError(row.path + QStringLiteral(": ") + unfinished);
    }
    return 0;
}

// Scripts get no question: an existing file is replaced with --replace, else reported as failed.
class ScriptSave : public SaveObserver {
public:
    explicit ScriptSave(bool replace) : m_replace(replace) {}

    void Progress(qint64, qint64, const QString&) override {}
    ClashAnswer Clash(const SaveFile& file) override {
        if (m_replace)
            return ClashAnswer::ReplaceAll;
        m_refused.append(file.target);
        return ClashAnswer::Skip;
    }
    bool CancelRequested() override { return false; }

    const QStringList& Refused() const { return m_refused; }

private:
    bool m_replace;
    QStringList m_refused;
};

int SaveRecordings(const QStringList& argsIn) {
    QStringList args = argsIn;
    const QString destination = TakeOption(args, QStringLiteral("--to"));
    const bool replace = TakeFlag(args, QStringLiteral("--replace"));
    if (destination.isEmpty() || args.size() < 2)
        throw UsageError{};
    const QString folder = CatalogueFolder(AsLibraryRoot(args.takeFirst(), false), false);
    if (!IsNativeFolder(destination)) {
        PrintError(destination + QStringLiteral(": not a folder"));
        return 1;
    }
    QList<MarkedRecording> recordings;
    int failures = 0;
    for (const QString& name : args) {
        const QString path = folder + u'/' + name;
        if (name.contains(u'/') || !IsNativeFile(path)) {
            PrintError(name + QStringLiteral(": no such recording"));
            ++failures;
            continue;
        }
        recordings.append({path, name});
    }
    ScriptSave observer(replace);
    const SaveReport report = SaveFiles(PlanSave(recordings, destination), observer);
    for (const SaveOutcome& outcome : report.outcomes) {
        if (outcome.status == SaveOutcome::Failed) {
            PrintError(outcome.error);
            ++failures;
        }
    }
    for (const QString& target : observer.Refused()) {
        PrintError(target + QStringLiteral(": exists (--replace replaces it)"));
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

const CliCommand LibraryCliCommands[] = {
    {"drives", "[--card PATH] drives", PrintDrives},
    {"list", "list ROOT [--kind all|normal|event|motion] [--date YYYYMMDD] [--folder]",
     PrintRecordings},
    {"save", "save ROOT NAME... --to DIR [--replace]", SaveRecordings},
};
const int LibraryCliCommandCount = std::size(LibraryCliCommands);
