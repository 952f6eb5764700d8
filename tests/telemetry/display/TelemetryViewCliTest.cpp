#include "skin/BitmapIds.h"
#include "skin/SkinBitmaps.h"
#include "telemetry/display/GSensorGraph.h"
#include "tests/support/RunCli.h"
#include "tests/telemetry/display/TelemetryFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

TEST(MapCallCli, PrintsTheScriptTextOfThePosition) {
    TelemetryFixture fixture;
    fixture.WriteGps(TelemetryFixture::Fix(1000, "3733.1234,N,12658.5678,E") +
                     TelemetryFixture::Fix(2000, "3733.1234,S,12658.5678,W"));
    const struct {
        const char* at;
        const char* out;
    } cases[] = {
        {"0", "javascript:DrawCurrent('126.976130', '37.552057','9')\n"},
        {"1500", "javascript:DrawCurrent('-126.976130', '-37.552057','9')\n"},
        {"2001", ""},
    };
    for (const auto& c : cases) {
        const CliResult result = RunCli({"map-call", fixture.Recording(), "--at", c.at});
        EXPECT_EQ(result.exitCode, 0) << c.at;
        EXPECT_EQ(result.out, c.out) << c.at;
    }
    EXPECT_EQ(RunCli({"map-call", fixture.Recording(), "--at", "soon"}).exitCode, 2);
    EXPECT_EQ(RunCli({"map-call", fixture.Recording()}).exitCode, 2);
}

TEST(GraphCli, WritesTheGraphTheWindowDraws) {
    TelemetryFixture fixture;
    fixture.WriteGsf({{0, 100, -100, 0}, {2000, -50, 50, 120}, {4000, 0, 0, -120}});
    QTemporaryDir out;
    const QString png = out.filePath("graph.png");
    const CliResult result =
        RunCli({"graph", fixture.Recording(), "-o", png, "--duration-ms", "4500"});
    ASSERT_EQ(result.exitCode, 0) << result.error.toStdString();
    const QImage written = QImage(png).convertToFormat(QImage::Format_RGB32);
    const QImage drawn =
        GSensorGraph::Draw(SkinImage(BitmapId::GSensorGraph), fixture.Load().Samples(), 4500);
    ASSERT_EQ(written.size(), QSize(370, 114));
    EXPECT_EQ(written, drawn);
}

TEST(GraphCli, TakesTheLengthFromTheRecording) {
    const QString recording = QDir(qEnvironmentVariable("KARVENNA_TEST_CARD") + "/Recordings")
                                  .entryInfoList({"*.AVI"}, QDir::Files, QDir::Name)
                                  .first()
                                  .filePath();
    QTemporaryDir out;
    const QString png = out.filePath("graph.png");
    ASSERT_EQ(RunCli({"graph", recording, "-o", png}).exitCode, 0);
    RecordingTelemetry telemetry;
    telemetry.Load(recording);
    // The test card's recordings last three seconds.
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32),
              GSensorGraph::Draw(SkinImage(BitmapId::GSensorGraph), telemetry.Samples(), 3000));
}

TEST(GraphCli, SaysWhyItWroteNothing) {
    TelemetryFixture fixture;
    fixture.WriteGsf({{0, 1, 2, 3}});
    QTemporaryDir out;
    // No video to take the length from.
    const CliResult noVideo = RunCli({"graph", fixture.Recording(), "-o", out.filePath("a.png")});
    EXPECT_EQ(noVideo.exitCode, 1);
    EXPECT_FALSE(noVideo.error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(out.filePath("a.png")));
    const CliResult unwritable = RunCli({"graph", fixture.Recording(), "-o",
                                         out.filePath("missing/a.png"), "--duration-ms", "1000"});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_FALSE(unwritable.error.isEmpty());
    EXPECT_EQ(RunCli({"graph", fixture.Recording()}).exitCode, 2);
    EXPECT_EQ(
        RunCli({"graph", fixture.Recording(), "-o", out.filePath("b.png"), "--duration-ms", "-5"})
            .exitCode,
        2);
}

TEST(MapPageCli, FindsThePageBesideTheProgram) {
    const CliResult result = RunCli({"map-page", "1041"});
    ASSERT_EQ(result.exitCode, 0) << result.error.toStdString();
    const QUrl url(result.Text().trimmed());
    EXPECT_EQ(url.query(), "language=ja");
    EXPECT_TRUE(QFileInfo(url.toLocalFile()).isFile()) << url.toLocalFile().toStdString();
}

} // namespace
