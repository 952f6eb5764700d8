#include "app/cli/CliCommand.h"
#include "common/NativePath.h"
#include "playback/LeaveProcess.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"

#include <QGuiApplication>
#include <cstring>
#include <memory>
#include <span>

namespace {

const std::span<const CliCommand> CommandGroups[] = {
    {StringCliCommands, size_t(StringCliCommandCount)},
    {LibraryCliCommands, size_t(LibraryCliCommandCount)},
    {TelemetryCliCommands, size_t(TelemetryCliCommandCount)},
    {TripCliCommands, size_t(TripCliCommandCount)},
    {TelemetryViewCliCommands, size_t(TelemetryViewCliCommandCount)},
    {SettingsCliCommands, size_t(SettingsCliCommandCount)},
    {PlaybackCliCommands, size_t(PlaybackCliCommandCount)},
    {RepairCliCommands, size_t(RepairCliCommandCount)},
    {IncidentCliCommands, size_t(IncidentCliCommandCount)},
};

// A QGuiApplication on the offscreen platform for the commands that draw text, which need its
// fonts; the others start without one.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv) {
    const int at = argc > 2 && std::strcmp(argv[1], "--card") == 0 ? 3 : 1;
    for (int i = 0; at < argc && i < PaintingCliCommandCount; ++i) {
        if (std::strcmp(argv[at], PaintingCliCommands[i]) == 0) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            return std::make_unique<QGuiApplication>(argc, argv);
        }
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

// Wrong use gets the usage on standard error and exit code 2; --help asks for it on standard
// output.
int PrintUsage(void (*print)(const QString&) = PrintError, int exitCode = 2) {
    print(QStringLiteral("usage: karvenna-cli [--card PATH] COMMAND [ARGS]"));
    print(QStringLiteral("       karvenna-cli --version | --help"));
    for (auto group : CommandGroups)
        for (const CliCommand& command : group)
            print(QStringLiteral("  karvenna-cli ") + QLatin1String(command.usage));
    return exitCode;
}

int RunCommand(int argc, char** argv) {
    const std::unique_ptr<QCoreApplication> application = MakeApplication(argc, argv);
    // Qt's own arguments() would turn bytes that are not UTF-8 into U+FFFD.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << PathFromNative(argv[i]);
    if (!args.isEmpty() && args.first() == QLatin1String("--card")) {
        if (args.size() < 2)
            return PrintUsage();
        SetCardOption(args[1]);
        args.remove(0, 2);
    }
    if (args == QStringList{QStringLiteral("--version")}) {
        PrintLine(LoadLangString(StringId::ProgramVersion));
        return 0;
    }
    if (args == QStringList{QStringLiteral("--help")})
        return PrintUsage(PrintLine, 0);
    if (args.isEmpty())
        return PrintUsage();
    const QString name = args.takeFirst();
    for (auto group : CommandGroups) {
        for (const CliCommand& command : group) {
            if (name != QLatin1String(command.name))
                continue;
            try {
                return command.run(args);
            } catch (const UsageError&) {
                PrintError(QStringLiteral("usage: karvenna-cli ") + QLatin1String(command.usage));
                return 2;
            }
        }
    }
    return PrintUsage();
}

} // namespace

int main(int argc, char** argv) {
    LeaveProcess(RunCommand(argc, argv));
}
