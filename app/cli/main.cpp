#include "app/cli/CliCommand.h"
#include "common/NativePath.h"
#include "playback/LeaveProcess.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"

#include <QCoreApplication>
#include <cstring>
#include <memory>
#include <span>

// Built twice: as karvenna-cli-media with every command, and as karvenna-cli with those that need
// no video, which hands the others over (KARVENNA_MEDIA_CLI_INSTALLED).
#ifdef KARVENNA_MEDIA_CLI_INSTALLED
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <unistd.h>
#else
#include <QGuiApplication>
#endif

namespace {

const std::span<const CliCommand> CommandGroups[] = {
    {StringCliCommands, size_t(StringCliCommandCount)},
    {LibraryCliCommands, size_t(LibraryCliCommandCount)},
    {TelemetryCliCommands, size_t(TelemetryCliCommandCount)},
    {TripCliCommands, size_t(TripCliCommandCount)},
#ifndef KARVENNA_MEDIA_CLI_INSTALLED
    {TelemetryViewCliCommands, size_t(TelemetryViewCliCommandCount)},
#endif
    {SettingsCliCommands, size_t(SettingsCliCommandCount)},
#ifndef KARVENNA_MEDIA_CLI_INSTALLED
    {PlaybackCliCommands, size_t(PlaybackCliCommandCount)},
    {RepairCliCommands, size_t(RepairCliCommandCount)},
    {IncidentCliCommands, size_t(IncidentCliCommandCount)},
#endif
};

#ifdef KARVENNA_MEDIA_CLI_INSTALLED
// Runs karvenna-cli-media in this process's place with the same arguments and environment: it
// lies beside this program in a build, in libexec once installed.
[[noreturn]] void HandToMediaCli(char** argv) {
    const QString folder =
        QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).path();
    for (const QString& candidate : {folder + QStringLiteral("/karvenna-cli-media"),
                                     folder + QStringLiteral("/" KARVENNA_MEDIA_CLI_INSTALLED)})
        ::execv(QFile::encodeName(candidate).constData(), argv);
    PrintError(QStringLiteral("karvenna-cli: cannot start karvenna-cli-media: %1")
                   .arg(QString::fromLocal8Bit(std::strerror(errno))));
    LeaveProcess(1);
}
#endif

// A QGuiApplication on the offscreen platform for the commands that draw text, which need its
// fonts; the others start without one.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv) {
#ifndef KARVENNA_MEDIA_CLI_INSTALLED
    const int at = argc > 2 && std::strcmp(argv[1], "--card") == 0 ? 3 : 1;
    for (int i = 0; at < argc && i < PaintingCliCommandCount; ++i) {
        if (std::strcmp(argv[at], PaintingCliCommands[i]) == 0) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            return std::make_unique<QGuiApplication>(argc, argv);
        }
    }
#endif
    return std::make_unique<QCoreApplication>(argc, argv);
}

// A command this program does not hold, a wrong use and --help: karvenna-cli hands them on,
// karvenna-cli-media answers with the usage of every command (wrong use on standard error with
// exit code 2, --help on standard output).
#ifdef KARVENNA_MEDIA_CLI_INSTALLED
int Unheld(char** argv, bool) {
    HandToMediaCli(argv);
}
#else
int Unheld(char**, bool help) {
    const auto print = help ? PrintLine : PrintError;
    print(QStringLiteral("usage: karvenna-cli [--card PATH] COMMAND [ARGS]"));
    print(QStringLiteral("       karvenna-cli --version | --help"));
    for (auto group : CommandGroups)
        for (const CliCommand& command : group)
            print(QStringLiteral("  karvenna-cli ") + QLatin1String(command.usage));
    return help ? 0 : 2;
}
#endif

int RunCommand(int argc, char** argv) {
    const std::unique_ptr<QCoreApplication> application = MakeApplication(argc, argv);
    // Qt's own arguments() would turn bytes that are not UTF-8 into U+FFFD.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << PathFromNative(argv[i]);
    if (!args.isEmpty() && args.first() == QLatin1String("--card")) {
        if (args.size() < 2)
            return Unheld(argv, false);
        SetCardOption(args[1]);
        args.remove(0, 2);
    }
    if (args == QStringList{QStringLiteral("--version")}) {
        PrintLine(LoadLangString(StringId::ProgramVersion));
        return 0;
    }
    if (args == QStringList{QStringLiteral("--help")})
        return Unheld(argv, true);
    if (args.isEmpty())
        return Unheld(argv, false);
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
    return Unheld(argv, false);
}

} // namespace

int main(int argc, char** argv) {
    LeaveProcess(RunCommand(argc, argv));
}
