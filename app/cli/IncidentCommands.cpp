#include "app/cli/CliCommand.h"
#include "incident/IncidentExport.h"
#include "incident/PackHashes.h"

#include <cstdio>

namespace {

QDateTime TakeTime(QStringList& args, const QString& option) {
    const std::optional<QDateTime> time = ParseCameraTime(TakeOption(args, option));
    if (!time)
        throw UsageError{};
    return *time;
}

int ExportPack(const QStringList& argsIn) {
    QStringList args = argsIn;
    IncidentRequest request;
    request.from = TakeTime(args, QStringLiteral("--from"));
    request.to = TakeTime(args, QStringLiteral("--to"));
    request.packFolder = TakeOption(args, QStringLiteral("-o"));
    if (TakeFlag(args, QStringLiteral("--mph")))
        request.unit = SpeedUnit::MilesPerHour;
    request.folderMode = TakeFlag(args, QStringLiteral("--folder"));
    ExpectPositional(args, 1);
    if (request.packFolder.isEmpty())
        throw UsageError{};
    request.cardRoot = args[0];
    const std::atomic<bool> cancel = false;
    int shown = -1;
    const QString error = ExportIncident(
        request,
        [&](double done) {
            // Whole percents on standard error, so that a script's output stays the pack's name.
            if (const int percent = int(done * 100); percent != shown) {
                shown = percent;
                std::fprintf(stderr, "\r%3d %%", percent);
            }
        },
        cancel);
    std::fputc('\n', stderr);
    if (!error.isEmpty()) {
        PrintError(QStringLiteral("karvenna-cli: ") + error);
        return 1;
    }
    PrintLine(request.packFolder);
    return 0;
}

int VerifyPackCommand(const QStringList& args) {
    ExpectPositional(args, 1);
    const QStringList faults = VerifyPack(args[0]);
    for (const QString& fault : faults)
        PrintLine(fault);
    if (!faults.isEmpty()) {
        PrintError(QStringLiteral("%1: NOT intact, %2 fault(s)").arg(args[0]).arg(faults.size()));
        return 1;
    }
    PrintLine(QStringLiteral("%1: intact").arg(args[0]));
    return 0;
}

} // namespace

const CliCommand IncidentCliCommands[] = {
    {"incident", "incident ROOT --from TIME --to TIME -o DIR [--mph] [--folder]", ExportPack},
    {"verify", "verify DIR", VerifyPackCommand},
};
const int IncidentCliCommandCount = int(std::size(IncidentCliCommands));

const char* const PaintingCliCommands[] = {"incident"};
const int PaintingCliCommandCount = int(std::size(PaintingCliCommands));
