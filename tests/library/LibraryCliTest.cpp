#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct CliResult {
    int exitCode;
    QStringList lines;
};

CliResult RunCli(const QStringList& args) {
    static QTemporaryDir config;
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", config.path());
    environment.insert("LC_ALL", "C");
    cli.setProcessEnvironment(environment);
    cli.start(qEnvironmentVariable("KARVENNA_CLI"), args);
    cli.waitForFinished();
    return {cli.exitCode(),
            QString::fromUtf8(cli.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)};
}

QString Card() {
    return qEnvironmentVariable("KARVENNA_TEST_CARD");
}

QStringList Column(const QStringList& lines, int column) {
    QStringList texts;
    for (const QString& line : lines)
        texts << line.split(u'\t').value(column);
    return texts;
}

TEST(LibraryCli, ListsTheCardsRecordings) {
    const CliResult all = RunCli({"list", Card()});
    ASSERT_EQ(all.exitCode, 0);
    ASSERT_EQ(all.lines.size(), 6);
    static const QRegularExpression row(
        QStringLiteral("^(\\d{8}_\\d{6}_(NOR|EVT|MOT)\\.(AVI|MP4))\t\\d\\d\\.\\d\\d\\.\\d\\d\t"
                       "[0-9,]+\t0\t(.*)$"));
    for (const QString& line : all.lines) {
        const QRegularExpressionMatch match = row.match(line);
        ASSERT_TRUE(match.hasMatch()) << line.toStdString();
        EXPECT_EQ(match.captured(4), Card() + "/Recordings/" + match.captured(1));
    }
    QStringList sorted = Column(all.lines, 0);
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(Column(all.lines, 0), sorted);

    EXPECT_EQ(RunCli({"list", Card() + u'/'}).lines, all.lines);
    EXPECT_EQ(Column(RunCli({"list", Card() + "/Recordings", "--folder"}).lines, 0),
              Column(all.lines, 0));
    const QString firstDay = all.lines.first().left(8);
    const QStringList day = RunCli({"list", Card(), "--date", firstDay}).lines;
    EXPECT_EQ(day.size(), 3);
    for (const QString kind : {"normal", "event", "motion"}) {
        const QStringList ofKind = RunCli({"--card", Card(), "list", Card(), "--kind", kind}).lines;
        EXPECT_EQ(ofKind.size(), 2) << kind.toStdString();
        const QStringList ofKindAndDay =
            RunCli({"list", "--date", firstDay, "--kind", kind, Card()}).lines;
        EXPECT_EQ(ofKindAndDay.size(), 1) << kind.toStdString();
    }
    EXPECT_TRUE(RunCli({"list", Card(), "--folder"}).lines.isEmpty());
}

TEST(LibraryCli, CardOptionAddsADrive) {
    QTemporaryDir copy;
    const CliResult drives = RunCli({"--card", copy.path(), "drives"});
    EXPECT_EQ(drives.exitCode, 0);
    const QString root = QDir::cleanPath(copy.path()) + u'/';
    EXPECT_TRUE(drives.lines.contains(root + u'\t' + root + "[Portable Disk]"))
        << drives.lines.join(u'\n').toStdString();
    const CliResult withoutCard = RunCli({"drives"});
    EXPECT_EQ(withoutCard.exitCode, 0);
    EXPECT_EQ(withoutCard.lines.size(), drives.lines.size() - 1);
}

TEST(LibraryCli, WrongUseExitsWithUsage) {
    const QStringList wrong[] = {
        {"drives", "extra"},
        {"--card"},
        {"list"},
        {"list", Card(), "--kind", "parked"},
        {"list", Card(), "--date", "2026121"},
        {"list", Card(), "--date", "20260230"},
        {"list", Card(), "--date", "+2026121"},
        {"list", Card(), "--date"},
        {"list", Card(), Card()},
    };
    for (const QStringList& args : wrong) {
        const CliResult result = RunCli(args);
        EXPECT_EQ(result.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(result.lines.isEmpty());
    }
}

} // namespace
