#include "tests/support/RunCli.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

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
    const CliResult all = RunCli({"list", Card()}, {"LC_ALL=C"});
    ASSERT_EQ(all.exitCode, 0);
    ASSERT_EQ(all.Lines().size(), 6);
    static const QRegularExpression row(
        QStringLiteral("^(\\d{8}_\\d{6}_(NOR|EVT|MOT)\\.(AVI|MP4))\t\\d\\d\\.\\d\\d\\.\\d\\d\t"
                       "[0-9,]+\t0\t(.*)$"));
    for (const QString& line : all.Lines()) {
        const QRegularExpressionMatch match = row.match(line);
        ASSERT_TRUE(match.hasMatch()) << line.toStdString();
        EXPECT_EQ(match.captured(4), Card() + "/Recordings/" + match.captured(1));
    }
    QStringList sorted = Column(all.Lines(), 0);
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(Column(all.Lines(), 0), sorted);

    EXPECT_EQ(RunCli({"list", Card() + u'/'}, {"LC_ALL=C"}).Lines(), all.Lines());
    EXPECT_EQ(Column(RunCli({"list", Card() + "/Recordings", "--folder"}, {"LC_ALL=C"}).Lines(), 0),
              Column(all.Lines(), 0));
    const QString firstDay = all.Lines().first().left(8);
    const QStringList day = RunCli({"list", Card(), "--date", firstDay}, {"LC_ALL=C"}).Lines();
    EXPECT_EQ(day.size(), 3);
    for (const QString kind : {"normal", "event", "motion"}) {
        const QStringList ofKind =
            RunCli({"--card", Card(), "list", Card(), "--kind", kind}, {"LC_ALL=C"}).Lines();
        EXPECT_EQ(ofKind.size(), 2) << kind.toStdString();
        const QStringList ofKindAndDay =
            RunCli({"list", "--date", firstDay, "--kind", kind, Card()}, {"LC_ALL=C"}).Lines();
        EXPECT_EQ(ofKindAndDay.size(), 1) << kind.toStdString();
    }
    EXPECT_TRUE(RunCli({"list", Card(), "--folder"}, {"LC_ALL=C"}).Lines().isEmpty());
}

TEST(LibraryCli, CardOptionAddsADrive) {
    QTemporaryDir copy;
    const CliResult drives = RunCli({"--card", copy.path(), "drives"}, {"LC_ALL=C"});
    EXPECT_EQ(drives.exitCode, 0);
    const QString root = QDir::cleanPath(copy.path()) + u'/';
    EXPECT_TRUE(drives.Lines().contains(root + u'\t' + root + "[Portable Disk]"))
        << drives.Lines().join(u'\n').toStdString();
    const CliResult withoutCard = RunCli({"drives"}, {"LC_ALL=C"});
    EXPECT_EQ(withoutCard.exitCode, 0);
    EXPECT_EQ(withoutCard.Lines().size(), drives.Lines().size() - 1);
}

TEST(LibraryCli, SavesNamedRecordingsWithTheirTelemetry) {
    QTemporaryDir target;
    const QStringList names = Column(RunCli({"list", Card()}, {"LC_ALL=C"}).Lines(), 0).mid(0, 2);
    ASSERT_EQ(names.size(), 2);
    const QStringList save =
        QStringList{"save", Card()} + names + QStringList{"--to", target.path()};
    const CliResult saved = RunCli(save, {"LC_ALL=C"});
    EXPECT_EQ(saved.exitCode, 0) << saved.error.toStdString();
    QStringList expected;
    for (const QString& name : names)
        for (const QString& file : {name, name.chopped(4) + ".gps", name.chopped(4) + ".gsf"})
            expected << file;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(QDir(target.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
    QFile card(Card() + "/Recordings/" + names[0]);
    QFile copy(target.path() + u'/' + names[0]);
    ASSERT_TRUE(card.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), card.readAll());

    // A second save meets every file: nothing replaced unless asked, and it says so.
    const CliResult again = RunCli(save, {"LC_ALL=C"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(again.error).count("exists"), 6);
    EXPECT_EQ(RunCli(save + QStringList{"--replace"}, {"LC_ALL=C"}).exitCode, 0);

    const CliResult missing = RunCli(
        {"save", Card(), "20000101_000000_NOR.AVI", names[1], "--to", target.path(), "--replace"},
        {"LC_ALL=C"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.error.contains("20000101_000000_NOR.AVI")) << missing.error.toStdString();
    EXPECT_EQ(RunCli({"save", Card(), names[0], "--to", target.path() + "/none"}).exitCode, 1);
}

// U+FEFF once vanished from paths: saving "X<U+FEFF>.AVI" copied X.AVI and said it was done.
TEST(LibraryCli, SavesTheRecordingNamedEvenWithAnInvisibleCharacter) {
    const QTemporaryDir card, target;
    QDir(card.path()).mkpath("Recordings");
    const QString invisible = QString::fromUtf8("X\xEF\xBB\xBF.AVI");
    for (const QString& name : {QStringLiteral("X.AVI"), invisible}) {
        QFile file(card.path() + "/Recordings/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(name.toUtf8());
    }
    const CliResult saved = RunCli({"save", card.path(), invisible, "--to", target.path()});
    EXPECT_EQ(saved.exitCode, 0) << saved.error.toStdString();
    EXPECT_EQ(QDir(target.path()).entryList(QDir::Files), QStringList{invisible});
    QFile copy(target.path() + u'/' + invisible);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), invisible.toUtf8());
}

// A name that is not UTF-8: the list shows it readably and prints the path's own bytes, which
// open the same recording and find its telemetry.
TEST(LibraryCli, ListedPathsOpenTheirFilesWhateverTheNamesBytes) {
    const QTemporaryDir folder;
    const QString gps = folder.filePath("source.gps");
    QFile source(gps);
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write(
        "h1\nh2\nh3\n1000:$GPRMC,083015.000,A,3733.1234,N,12658.5678,E,10.0,45.5,150313,,,A\n");
    source.close();
    // The shell makes the names from their bytes: QProcess would pass U+FFFD instead.
    const QString make =
        QStringLiteral("cd \"$0\" && head -c 2048 /dev/zero > \"$(printf '\\351')\".MP4 && "
                       "mv source.gps \"$(printf '\\351')\".gps");
    ASSERT_EQ(QProcess::execute("/bin/sh", {"-c", make, folder.path()}), 0);

    const CliResult list = RunCli({"list", folder.path(), "--folder"}, {"LC_ALL=C"});
    ASSERT_EQ(list.exitCode, 0);
    const QByteArray expected = QString::fromUtf8("\uFFFD.MP4").toUtf8() + '\t';
    ASSERT_TRUE(list.out.startsWith(expected)) << list.out.constData();
    const QByteArray path = list.out.split('\t').value(4).trimmed();
    EXPECT_EQ(path, QFile::encodeName(folder.path()) + "/\xE9.MP4");

    QProcess cli;
    cli.start("/bin/sh",
              {"-c", "exec \"$0\" telemetry \"$(cat)\"", qEnvironmentVariable("KARVENNA_CLI")});
    cli.write(path);
    cli.closeWriteChannel();
    ASSERT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().constData();
    EXPECT_TRUE(cli.readAllStandardOutput().contains("\"offset\":1000")) << "no fix found";
}

TEST(LibraryCli, ListingTellsARecordingTheCameraDidNotFinish) {
    const QTemporaryDir folder;
    const QStringList mp4s =
        QDir(Card() + "/Recordings").entryList({"*.MP4"}, QDir::Files, QDir::Name);
    ASSERT_FALSE(mp4s.isEmpty());
    QFile whole(Card() + "/Recordings/" + mp4s.first());
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    const QString finished = folder.filePath("20240105_101010_NOR.MP4");
    const QString cut = folder.filePath("20240105_111111_NOR.MP4");
    for (const auto& [path, length] : {std::pair{finished, bytes.size()}, {cut, qsizetype(3000)}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.left(length));
    }
    const CliResult list = RunCli({"list", folder.path(), "--folder"}, {"LC_ALL=C"});
    ASSERT_EQ(list.exitCode, 0);
    EXPECT_EQ(list.Lines().size(), 2) << "both listed, as the window lists them";
    EXPECT_EQ(QString::fromUtf8(list.error),
              cut +
                  ": the camera did not finish this recording: it has no moov box; the file "
                  "ends at byte 3000, inside its mdat box of " +
                  QString::number(bytes.indexOf("moov") - 4 - (bytes.indexOf("mdat") - 4)) +
                  " bytes\n");
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
        {"save", Card(), "x.AVI"},
        {"save", Card(), "--to", "/tmp"},
        {"save", "--to", "/tmp"},
    };
    for (const QStringList& args : wrong) {
        const CliResult result = RunCli(args);
        EXPECT_EQ(result.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(result.Lines().isEmpty());
    }
}

} // namespace
