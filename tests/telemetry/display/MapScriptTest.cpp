#include "telemetry/display/MapScript.h"

#include "telemetry/display/MapPage.h"
#include "tests/telemetry/display/TelemetryFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace MapScript;

TEST(MapScript, ReadsTheFunctionAndItsArgumentsFromTheScriptText) {
    const struct {
        QString text;
        QString function;
        QStringList arguments;
    } cases[] = {
        {"javascript:DrawCurrent('126.976130', '37.552057','9')",
         "DrawCurrent",
         {"126.976130", "37.552057", "9"}},
        {"", "", {}},
        {"  Mark ( a;b\t\"c\" ,, )", "Mark", {"a", "b", "c"}},
        {"Clear()", "Clear", {}},
        {"no call here", "", {"no", "call", "here"}},
        {"x javascript:F(1)javascript:G(2)", "F", {"1", "javascript:G", "2"}},
        {"javascript: Say (x\\y)", "Say", {"x\\y"}},
    };
    for (const auto& c : cases) {
        const ScriptCall call = ParseScriptCall(c.text);
        EXPECT_EQ(call.function, c.function) << c.text.toStdString();
        EXPECT_EQ(call.arguments, c.arguments) << c.text.toStdString();
    }
}

TEST(MapScript, ConvertsDegreesAndMinutesToDecimalDegrees) {
    EXPECT_NEAR(DecimalDegrees(3733.1234), 37.5520567, 1e-7);
    EXPECT_NEAR(DecimalDegrees(-3733.1234), -37.5520567, 1e-7);
    EXPECT_NEAR(DecimalDegrees(12658.5678), 126.9761300, 1e-7);
    EXPECT_EQ(DecimalDegrees(0.0), 0.0);
}

TEST(MapScript, SendsTheFixOfThePosition) {
    TelemetryFixture fixture;
    fixture.WriteGps(TelemetryFixture::Fix(1000, "3733.1234,N,12658.5678,E") +
                     TelemetryFixture::Fix(2000, "3733.1234,S,12658.5678,W"));
    const RecordingTelemetry telemetry = fixture.Load();
    const struct {
        quint32 positionMs;
        const char* text;
    } cases[] = {
        {0, "javascript:DrawCurrent('126.976130', '37.552057','9')"},
        {1000, "javascript:DrawCurrent('126.976130', '37.552057','9')"},
        {1001, "javascript:DrawCurrent('-126.976130', '-37.552057','9')"},
        {2000, "javascript:DrawCurrent('-126.976130', '-37.552057','9')"},
        {2001, nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<int> index = MapFixIndex(telemetry, c.positionMs);
        if (!c.text) {
            EXPECT_FALSE(index) << c.positionMs;
            continue;
        }
        ASSERT_TRUE(index) << c.positionMs;
        EXPECT_EQ(DrawCurrentText(telemetry.Fixes()[*index]), c.text) << c.positionMs;
    }
    TelemetryFixture empty;
    EXPECT_FALSE(MapFixIndex(empty.Load(), 0));
}

TEST(MapScript, HandsThePageTheWholeTrackOnTheTripsTime) {
    TelemetryFixture fixture;
    fixture.WriteGps(TelemetryFixture::Fix(1000, "3600.0000,N,12600.0000,E") +
                     TelemetryFixture::Fix(3000, "3600.0000,S,12600.0000,W"));
    const QList<GpsFix> fixes = fixture.Load().Fixes();
    EXPECT_EQ(
        TrackSource({{fixes, 0}}, 0).toStdString(),
        "typeof DrawTrack === 'function' && DrawTrack([[36,126,1000,0],[-36,-126,3000,0]], 0)");
    EXPECT_EQ(TrackSource({{fixes, 0}, {fixes.mid(1), 60000}}, 1).toStdString(),
              "typeof DrawTrack === 'function' && "
              "DrawTrack([[36,126,1000,0],[-36,-126,3000,0],[-36,-126,63000,1]], 1)");
}

TEST(MapPage, NamesTheLanguageInTheQuery) {
    const struct {
        quint16 language;
        const char* query;
    } cases[] = {{1041, "language=ja"},
                 {1049, "language=ru"},
                 {1042, "language=ko"},
                 {1033, "language=en"},
                 {2052, "language=en"}};
    for (const auto& c : cases) {
        const QUrl url = MapPage::PageUrl(c.language);
        EXPECT_EQ(url.query(), c.query) << c.language;
        EXPECT_TRUE(url.path().endsWith("/MapView.htm")) << url.path().toStdString();
    }
}

} // namespace
