#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct CliResult {
    int exitCode;
    QString out;
};

CliResult RunCli(const QStringList& args) {
    QProcess cli;
    cli.start(qEnvironmentVariable("KARVENNA_CLI"), args);
    cli.waitForFinished();
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput())};
}

TEST(Cli, PrintsStringsAndLanguages) {
    EXPECT_EQ(RunCli({"strings", "1049", "447"}).out,
              QString::fromUtf8("Невозможно воспроизвести файл.\n"));
    EXPECT_EQ(RunCli({"strings", "1033", "330"}).out, QStringLiteral("Driving\nRecording\n"));
    const CliResult unknownId = RunCli({"strings", "1033", "500"});
    EXPECT_EQ(unknownId.exitCode, 0);
    EXPECT_EQ(unknownId.out, QStringLiteral("\n"));
    EXPECT_EQ(RunCli({"language", "66578"}).out, QStringLiteral("1042\n"));
    EXPECT_EQ(RunCli({"language", "abc", "--system", "de_DE"}).out, QStringLiteral("1033\n"));
    EXPECT_EQ(RunCli({"language", "", "--system", "ja_JP"}).out, QStringLiteral("1041\n"));
}

TEST(Cli, WrongUseExitsWithUsage) {
    const QStringList wrong[] = {{},
                                 {"nonsense"},
                                 {"strings", "1033"},
                                 {"strings", "2057", "447"},
                                 {"strings", "1033", "x"},
                                 {"language"},
                                 {"language", "1042", "--system"}};
    for (const QStringList& args : wrong) {
        const CliResult result = RunCli(args);
        EXPECT_EQ(result.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty());
    }
}

} // namespace
