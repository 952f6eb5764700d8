#include "app/cli/CliCommand.h"
#include "playback/Mp4Reference.h"
#include "playback/RepairedMp4File.h"

namespace {

int Repair(const QStringList& argsIn) {
    QStringList args = argsIn;
    const QString reference = TakeOption(args, QStringLiteral("--reference"));
    const QString out = TakeOption(args, QStringLiteral("-o"));
    ExpectPositional(args, 1);
    if (out.isEmpty())
        throw UsageError{};
    SetMp4Reference(args[0], reference);
    QString recovered;
    if (const QString error = SaveRepairedMp4(args[0], out, recovered); !error.isEmpty()) {
        PrintError(error);
        return 1;
    }
    PrintLine(QStringLiteral("recovered %1").arg(recovered));
    return 0;
}

} // namespace

const CliCommand RepairCliCommands[] = {
    {"repair", "repair CUT.MP4 [--reference GOOD.MP4] -o OUT.MP4", Repair},
};
const int RepairCliCommandCount = std::size(RepairCliCommands);
