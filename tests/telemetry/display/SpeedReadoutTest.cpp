#include "telemetry/display/SpeedReadout.h"

#include "tests/telemetry/display/TelemetryFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace SpeedReadout;

TEST(SpeedReadout, ShowsThreeDigitsOfTheWholeSpeed) {
    const struct {
        double kmh;
        const char* text;
    } cases[] = {
        {9.99, "009"}, {123.9, "123"}, {1234, "234"}, {18.52, "018"}, {0.0, "000"}, {-0.5, "000"},
    };
    for (const auto& c : cases) {
        const std::optional<int> n = SpeedNumber(c.kmh);
        ASSERT_TRUE(n) << c.kmh;
        EXPECT_EQ(SpeedText(*n), c.text) << c.kmh;
    }
    EXPECT_FALSE(SpeedNumber(-1.0));
    // A sentence can say anything: the digits stay three and the number does not overflow.
    EXPECT_EQ(SpeedText(*SpeedNumber(1e300)).size(), 3);
}

TEST(SpeedReadout, FollowsTheFixOfThePosition) {
    TelemetryFixture fixture;
    // 10 knots = 18.52 km/h; 0 knots twice at the end.
    fixture.WriteGps(TelemetryFixture::Fix(1000, "3733.1234,N,12658.5678,E") +
                     TelemetryFixture::Fix(2000, "3733.1234,N,12658.5678,E") +
                     TelemetryFixture::Fix(3000, "3733.1234,N,12658.5678,E", "66.7") +
                     TelemetryFixture::Fix(4000, "3733.1234,N,12658.5678,E", "0.0") +
                     TelemetryFixture::Fix(5000, "3733.1234,N,12658.5678,E", "0.0"));
    const RecordingTelemetry telemetry = fixture.Load();
    const struct {
        quint32 positionMs;
        std::optional<int> shown;
    } cases[] = {
        {0, 18},              // before the first fix: the first fix
        {1000, 18},           // the first fix
        {1500, 18},           // the same speed as the fix before is drawn all the same
        {2500, 123},          // 66.7 knots
        {3500, 0},            // a change to 0
        {4500, 0},            // 0 again is drawn again
        {5001, std::nullopt}, // after the last fix
    };
    for (const auto& c : cases)
        EXPECT_EQ(SpeedAt(telemetry, c.positionMs), c.shown) << c.positionMs;
}

TEST(SpeedReadout, ShowsASteadySpeedWhereverPlaybackStarts) {
    TelemetryFixture fixture;
    QByteArray fixes;
    for (int ms = 1000; ms <= 5000; ms += 1000)
        fixes += TelemetryFixture::Fix(ms, "3733.1234,N,12658.5678,E", "50.0"); // 92.6 km/h
    fixture.WriteGps(fixes);
    const RecordingTelemetry telemetry = fixture.Load();
    // A new recording or a seek lands anywhere: the first number looked up must be drawable.
    for (const quint32 positionMs : {1500u, 2500u, 4999u})
        EXPECT_EQ(SpeedAt(telemetry, positionMs), 92) << positionMs;
}

TEST(SpeedReadout, ShowsZeroWithoutFixes) {
    TelemetryFixture fixture;
    EXPECT_EQ(SpeedAt(fixture.Load(), 1000), 0);
}

} // namespace
