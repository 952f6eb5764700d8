#pragma once

#include <QString>
#include <QStringList>

// One subcommand of karvenna-cli. `run` gets the arguments after the subcommand's name and
// returns the exit code; it throws UsageError when the arguments are wrong.
struct CliCommand {
    const char* name;
    const char* usage;
    int (*run)(const QStringList& args);
};

struct UsageError {};

// Output helpers: UTF-8 on standard output / standard error; a path's bytes that are not UTF-8
// are written as they were read, so that the printed path opens the same file.
void PrintLine(const QString& text);
void PrintError(const QString& text);

// Takes "--name VALUE" out of args; returns the value, or `fallback` when the option is absent.
QString TakeOption(QStringList& args, const QString& name, const QString& fallback = {});
// Takes "--name" out of args; true when it was there.
bool TakeFlag(QStringList& args, const QString& name);
// The args must now be exactly `count` positional values.
void ExpectPositional(const QStringList& args, qsizetype count);

// The card root given with the global option --card PATH (before the command); empty without.
const QString& CardOption();
void SetCardOption(const QString& path);

// Each group of subcommands lives in its own file and lists its commands here.
extern const CliCommand StringCliCommands[];
extern const int StringCliCommandCount;
extern const CliCommand LibraryCliCommands[];
extern const int LibraryCliCommandCount;
extern const CliCommand TelemetryCliCommands[];
extern const int TelemetryCliCommandCount;
extern const CliCommand TripCliCommands[];
extern const int TripCliCommandCount;
extern const CliCommand TelemetryViewCliCommands[];
extern const int TelemetryViewCliCommandCount;
extern const CliCommand SettingsCliCommands[];
extern const int SettingsCliCommandCount;
extern const CliCommand PlaybackCliCommands[];
extern const int PlaybackCliCommandCount;
extern const CliCommand RepairCliCommands[];
extern const int RepairCliCommandCount;
extern const CliCommand IncidentCliCommands[];
extern const int IncidentCliCommandCount;

// The commands that draw text into pictures: they run in a QGuiApplication, for its fonts.
extern const char* const PaintingCliCommands[];
extern const int PaintingCliCommandCount;
