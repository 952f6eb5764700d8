#include "tests/support/RunCli.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

TEST(Cli, PrintsStringsAndLanguages) {
    EXPECT_EQ(RunCli({"strings", "1049", "447"}).Text(),
              QString::fromUtf8("Невозможно воспроизвести файл.\n"));
    EXPECT_EQ(RunCli({"strings", "1033", "330"}).Text(), QStringLiteral("Driving\nRecording\n"));
    const CliResult unknownId = RunCli({"strings", "1033", "500"});
    EXPECT_EQ(unknownId.exitCode, 0);
    EXPECT_EQ(unknownId.Text(), QStringLiteral("\n"));
    EXPECT_EQ(RunCli({"language", "66578"}).Text(), QStringLiteral("1042\n"));
    EXPECT_EQ(RunCli({"language", "abc", "--system", "de_DE"}).Text(), QStringLiteral("1033\n"));
    EXPECT_EQ(RunCli({"language", "", "--system", "ja_JP"}).Text(), QStringLiteral("1041\n"));
}

TEST(Cli, VersionAndHelpAnswerOnStandardOutput) {
    const CliResult version = RunCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.Text(), RunCli({"strings", "1033", "320"}).Text());
    const CliResult help = RunCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.Text().startsWith("usage: karvenna-cli")) << help.Text().toStdString();
    EXPECT_TRUE(help.Text().contains("karvenna-cli play FILE"));
    EXPECT_TRUE(help.error.isEmpty());
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
