#include "incident/IncidentExport.h"
#include "incident/PackHashes.h"
#include "tests/incident/IncidentCard.h"
#include "tests/support/RunCli.h"
#include "tools/democard/FrameCode.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using IncidentCard::FixDelayMs;

struct Pack {
    QString card;
    QString folder;
    CliResult export_;
};

QTemporaryDir& Workspace() {
    static QTemporaryDir folder;
    return folder;
}

// The test program leaves without running static destructors.
class IncidentPackTest : public testing::Test {
protected:
    static void TearDownTestSuite() { Workspace().remove(); }
};

// One card and one pack exported through karvenna-cli, from 15:30:01 to 15:30:08: the end of
// the first recording, all of the second, the start of the third.
const Pack& ThePack() {
    static const Pack pack = [] {
        const QTemporaryDir& folder = Workspace();
        Pack made{folder.path() + "/card", folder.path() + "/pack", {}};
        EXPECT_EQ(IncidentCard::Write(made.card), "");
        made.export_ = RunCli({"incident", made.card, "--from", "2013-05-21T15:30:01", "--to",
                               "2013-05-21T15:30:08", "-o", made.folder});
        return made;
    }();
    return pack;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QStringList Csv(const QString& path) {
    QStringList lines = QString::fromUtf8(ReadAll(path)).split('\n', Qt::SkipEmptyParts);
    lines.removeFirst();
    return lines;
}

// The clip's pictures as ffmpeg decodes them.
QList<QImage> DecodedPictures(const QString& clip) {
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-i", clip, "-fps_mode", "passthrough", "-f", "rawvideo",
                            "-pix_fmt", "bgra", "-"});
    ffmpeg.waitForFinished(120000);
    const QByteArray bytes = ffmpeg.readAllStandardOutput();
    const int frameBytes = 320 * 180 * 4;
    QList<QImage> pictures;
    for (qsizetype at = 0; at + frameBytes <= bytes.size(); at += frameBytes)
        pictures.append(QImage(reinterpret_cast<const uchar*>(bytes.constData() + at), 320, 180,
                               QImage::Format_ARGB32)
                            .copy());
    return pictures;
}

TEST_F(IncidentPackTest, ThePackHoldsTheOriginalsByteForByteAndEveryPart) {
    const Pack& pack = ThePack();
    ASSERT_EQ(pack.export_.exitCode, 0) << pack.export_.error.toStdString();
    EXPECT_EQ(pack.export_.Lines(), QStringList{pack.folder});
    QStringList originals;
    for (int recording = 0; recording < IncidentCard::Recordings; ++recording) {
        const QString name = IncidentCard::RecordingName(recording);
        for (const QString& file : {name, name.chopped(3) + "gps", name.chopped(3) + "gsf"}) {
            originals << "originals/" + file;
            EXPECT_EQ(ReadAll(pack.folder + "/originals/" + file),
                      ReadAll(pack.card + "/Recordings/" + file))
                << file.toStdString();
        }
    }
    QStringList files;
    QDirIterator it(pack.folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(pack.folder).relativeFilePath(it.next());
    files.sort();
    QStringList expected =
        originals + QStringList{"SHA256SUMS", "clip.mp4", "overlay.csv", "report.pdf", "track.gpx"};
    expected.sort();
    EXPECT_EQ(files, expected);
    // Nothing of the work is left beside the pack.
    EXPECT_EQ(
        QDir(pack.folder + "/..").entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        QStringList({"card", "pack"}));
    // The track holds the span's fixes only: 15:30:01.250 to 15:30:07.250.
    EXPECT_EQ(ReadAll(pack.folder + "/track.gpx").count("<trkpt"), 7);
}

TEST_F(IncidentPackTest, TheHashesPassSha256sumAndVerify) {
    const Pack& pack = ThePack();
    ASSERT_EQ(pack.export_.exitCode, 0);
    if (!QStandardPaths::findExecutable("sha256sum").isEmpty()) {
        QProcess check;
        check.setWorkingDirectory(pack.folder);
        check.start("sha256sum", {"--strict", "-c", "SHA256SUMS"});
        check.waitForFinished(60000);
        EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();
    }
    const CliResult verified = RunCli({"verify", pack.folder});
    EXPECT_EQ(verified.exitCode, 0) << verified.Text().toStdString();
    EXPECT_EQ(verified.Lines(), QStringList{pack.folder + ": intact"});
    EXPECT_EQ(VerifyPack(QDir::current().relativeFilePath(pack.folder)), QStringList());
}

TEST_F(IncidentPackTest, VerifyRefusesAPackWithOneByteChangedInAnyKindOfFile) {
    const Pack& pack = ThePack();
    ASSERT_EQ(pack.export_.exitCode, 0);
    const QString gps = "originals/" + IncidentCard::RecordingName(1).chopped(3) + "gps";
    const QStringList files = {"clip.mp4",   "report.pdf",
                               "track.gpx",  "overlay.csv",
                               "SHA256SUMS", "originals/" + IncidentCard::RecordingName(0),
                               gps};
    for (const QString& file : files) {
        const QString path = pack.folder + "/" + file;
        const QByteArray original = ReadAll(path);
        QByteArray changed = original;
        changed[changed.size() / 2] = char(changed[changed.size() / 2] ^ 1);
        {
            QFile out(path);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(changed);
        }
        const CliResult verified = RunCli({"verify", pack.folder});
        EXPECT_EQ(verified.exitCode, 1) << file.toStdString();
        // A changed list no longer vouches for the files it names.
        if (file != HashListName)
            EXPECT_EQ(verified.Lines(), QStringList{"changed: " + file});
        else
            EXPECT_FALSE(verified.Lines().isEmpty());
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(original);
    }
    EXPECT_EQ(RunCli({"verify", pack.folder}).exitCode, 0);
}

TEST_F(IncidentPackTest, VerifyNamesAFileAddedOrRemoved) {
    const Pack& pack = ThePack();
    ASSERT_EQ(pack.export_.exitCode, 0);
    const QString added = pack.folder + "/originals/extra.txt";
    QFile extra(added);
    ASSERT_TRUE(extra.open(QIODevice::WriteOnly));
    extra.close();
    CliResult verified = RunCli({"verify", pack.folder});
    EXPECT_EQ(verified.exitCode, 1);
    EXPECT_EQ(verified.Lines(), QStringList{"added: originals/extra.txt"});
    ASSERT_TRUE(QFile::remove(added));

    const QString removed = pack.folder + "/track.gpx";
    const QByteArray track = ReadAll(removed);
    ASSERT_TRUE(QFile::remove(removed));
    verified = RunCli({"verify", pack.folder});
    EXPECT_EQ(verified.exitCode, 1);
    EXPECT_EQ(verified.Lines(), QStringList{"missing: track.gpx"});
    QFile back(removed);
    ASSERT_TRUE(back.open(QIODevice::WriteOnly));
    back.write(track);
    back.close();
    EXPECT_EQ(RunCli({"verify", pack.folder}).exitCode, 0);
    EXPECT_EQ(RunCli({"verify", pack.folder + "/originals"}).exitCode, 1);
}

// Every picture of the clip shows the speed of the last fix taken at or before the moment it
// was filmed: the frame code read back from the decoded clip tells that moment.
TEST_F(IncidentPackTest, EveryPictureShowsTheTelemetryOfItsOwnTime) {
    const Pack& pack = ThePack();
    ASSERT_EQ(pack.export_.exitCode, 0);
    const QList<QImage> pictures = DecodedPictures(pack.folder + "/clip.mp4");
    const QStringList rows = Csv(pack.folder + "/overlay.csv");
    ASSERT_EQ(pictures.size(), 70); // 7 s at 10 frames a second
    ASSERT_EQ(rows.size(), pictures.size());
    int off = 0;
    for (int i = 0; i < pictures.size(); ++i) {
        const int code = FrameCode::Read(pictures[i]);
        ASSERT_GE(code, 0) << "picture " << i;
        const int recording = code / 100;
        const int filmedMs = code % 100 * 1000 / IncidentCard::FramesPerSecond;
        const QString expected =
            filmedMs < FixDelayMs
                ? QString("-")
                : IncidentCard::ShownSpeed(recording, (filmedMs - FixDelayMs) / 1000);
        const QStringList fields = rows[i].split(',');
        if (fields[6] != expected || fields[2] != IncidentCard::RecordingName(recording) ||
            fields[3].toInt() != filmedMs || fields[8].toInt() != 10 * recording + filmedMs / 100)
            ++off;
    }
    EXPECT_EQ(off, 0);
}

TEST_F(IncidentPackTest, TheClipDecodesWithoutError) {
    const Pack& pack = ThePack();
    ASSERT_EQ(pack.export_.exitCode, 0);
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-i", pack.folder + "/clip.mp4", "-f", "null", "-"});
    ASSERT_TRUE(ffmpeg.waitForFinished(120000));
    EXPECT_EQ(ffmpeg.exitCode(), 0);
    EXPECT_EQ(ffmpeg.readAllStandardError(), "");
    QProcess probe;
    probe.start("ffprobe", {"-v", "error", "-show_entries", "stream=codec_name", "-of", "csv=p=0",
                            pack.folder + "/clip.mp4"});
    probe.waitForFinished(60000);
    EXPECT_EQ(probe.readAllStandardOutput(), "h264\naac\n");
}

TEST_F(IncidentPackTest, TheReportRendersItsThreePages) {
    const Pack& pack = ThePack();
    ASSERT_EQ(pack.export_.exitCode, 0);
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed";
    // Kept for people to look at.
    const QString pages =
        qEnvironmentVariable("KARVENNA_SCREENSHOTS", QDir::tempPath()) + "/incident-report";
    QDir(pages).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(pages));
    QProcess render;
    render.start("pdftoppm", {"-r", "60", "-png", pack.folder + "/report.pdf", pages + "/page"});
    ASSERT_TRUE(render.waitForFinished(60000));
    EXPECT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
    EXPECT_EQ(QDir(pages).entryList({"page-*.png"}).size(), 3);
    QProcess text;
    text.start("pdftotext", {pack.folder + "/report.pdf", "-"});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString report = QString::fromUtf8(text.readAllStandardOutput());
    // The fixes are stamped nine hours behind the camera, as its time zone says: its clock was
    // right.
    for (const char* line : {"Camera time: 2013-05-21 15:30:01 to 2013-05-21 15:30:08",
                             "GPS time (UTC): 2013-05-21 06:30:01 to 2013-05-21 06:30:08",
                             "Camera clock minus GPS time: +09:00:00",
                             "Time zone set on the camera: +09:00, so the camera clock's error "
                             "was +00:00:00",
                             "vk_gps_timezone = 900"})
        EXPECT_TRUE(report.contains(line)) << line << " in\n" << report.toStdString();
}

// A folder of recordings chosen in the window (here the card's own) makes the same pack, without
// the settings of a card it does not know.
TEST_F(IncidentPackTest, AFolderOfRecordingsMakesAPackWithoutACardsSettings) {
    const Pack& pack = ThePack();
    QTemporaryDir out;
    const CliResult made =
        RunCli({"incident", pack.card + "/Recordings", "--folder", "--from", "2013-05-21T15:30:01",
                "--to", "2013-05-21T15:30:08", "-o", out.path() + "/pack"});
    ASSERT_EQ(made.exitCode, 0) << made.error.toStdString();
    EXPECT_EQ(ReadAll(out.path() + "/pack/overlay.csv"), ReadAll(pack.folder + "/overlay.csv"));
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    QProcess text;
    text.start("pdftotext", {out.path() + "/pack/report.pdf", "-"});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString report = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(report.contains("Camera time: 2013-05-21 15:30:01 to 2013-05-21 15:30:08"));
    EXPECT_TRUE(report.contains("unknown: the recordings came from a folder, not a card"))
        << report.toStdString();
}

TEST_F(IncidentPackTest, MilesPerHourAreDrawnWhenAskedFor) {
    const Pack& pack = ThePack();
    QTemporaryDir out;
    const std::atomic<bool> cancel = false;
    const IncidentRequest request{pack.card, IncidentCard::Start.addSecs(4),
                                  IncidentCard::Start.addSecs(5), out.path() + "/mph",
                                  SpeedUnit::MilesPerHour};
    ASSERT_EQ(ExportIncident(request, {}, cancel), "");
    const QStringList rows = Csv(out.path() + "/mph/overlay.csv");
    ASSERT_EQ(rows.size(), 10);
    // 15:30:04.500 is 1.5 s into the second recording: its fix of second 1 is shown.
    const QStringList fields = rows[5].split(',');
    EXPECT_EQ(fields[6], IncidentCard::ShownSpeed(1, 1, true));
    EXPECT_EQ(fields[7], "mph");
}

TEST_F(IncidentPackTest, ACancelOrAFailureLeavesNoPackAndNothingBeside) {
    const Pack& pack = ThePack();
    QTemporaryDir out;
    std::atomic<bool> cancel = false;
    IncidentRequest request{pack.card, IncidentCard::Start, IncidentCard::Start.addSecs(9),
                            out.path() + "/pack", SpeedUnit::KilometresPerHour};
    EXPECT_EQ(ExportIncident(
                  request, [&](double done) { cancel = done > 0.3; }, cancel),
              CancelledText);
    EXPECT_TRUE(QDir(out.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));

    // A name already taken is never written into.
    cancel = false;
    ASSERT_TRUE(QDir(out.path()).mkdir("pack"));
    EXPECT_TRUE(ExportIncident(request, {}, cancel).contains("already exists"));
    EXPECT_TRUE(QDir(out.path() + "/pack").isEmpty());

    const CliResult wrong = RunCli({"incident", pack.card, "--from", "2013-05-21 15:30:01", "--to",
                                    "2013-05-21T15:30:08", "-o", out.path() + "/other"});
    EXPECT_EQ(wrong.exitCode, 2);
    const CliResult empty = RunCli({"incident", pack.card, "--from", "2014-01-01T00:00:00", "--to",
                                    "2014-01-01T00:01:00", "-o", out.path() + "/other"});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_TRUE(empty.error.contains("no recording")) << empty.error.toStdString();
    EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"pack"});
}

} // namespace
