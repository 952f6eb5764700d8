#include "telemetry/DrivingEvents.h"

#include "tests/telemetry/InjectedDrive.h"

#include <gtest/gtest.h>

namespace {

using InjectedDrive::Injected;

QList<GpsFix> Fixes(const QList<double>& speedsKmh) {
    QList<GpsFix> fixes;
    for (int second = 0; second < speedsKmh.size(); ++second) {
        GpsFix fix;
        fix.valid = 1;
        fix.latitude = 3730.0;
        fix.longitude = 12700.0;
        fix.speed = speedsKmh[second];
        fix.offset = second * 1000;
        fixes.append(fix);
    }
    return fixes;
}

const QList<Injected> EveryKind = {
    {DrivingEventKind::Brake, 5000, 1500, 50},   {DrivingEventKind::Acceleration, 15000, 2000, 40},
    {DrivingEventKind::Impact, 25000, 200, 100}, {DrivingEventKind::Turn, 35000, 2500, 45},
    {DrivingEventKind::Turn, 45000, 1500, -40},  {DrivingEventKind::Impact, 52300, 100, 80},
};

TEST(DrivingEvents, FindsEveryInjectedEventAtItsTimeAndNothingElse) {
    const int seconds = 60;
    const QList<DrivingEvent> found =
        FindDrivingEvents(InjectedDrive::Samples(seconds, EveryKind),
                          Fixes(InjectedDrive::Speeds(seconds, EveryKind, 20.0)), EventRules{});
    ASSERT_EQ(found.size(), EveryKind.size());
    for (int i = 0; i < EveryKind.size(); ++i) {
        const Injected& injected = EveryKind[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(found[i].kind, injected.kind);
        EXPECT_LE(std::abs(found[i].atMs - injected.atMs), 200);
        EXPECT_NEAR(found[i].strength, std::abs(injected.strength), 8);
    }
    EXPECT_EQ(found[0].speedBeforeKmh, 60.0);
    EXPECT_EQ(found[0].speedAfterKmh, 40.0);
}

TEST(DrivingEvents, SmoothDrivingHasNone) {
    for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
        const QList<GSensorSample> samples = InjectedDrive::Samples(600, {}, seed);
        EXPECT_TRUE(FindDrivingEvents(samples, {}, EventRules{}).isEmpty()) << seed;
    }
    EXPECT_TRUE(FindDrivingEvents({}, Fixes({50.0, 10.0}), EventRules{}).isEmpty());
}

TEST(DrivingEvents, FixesConfirmABrakeByItsSpeedDrop) {
    const QList<Injected> brake = {{DrivingEventKind::Brake, 4000, 1500, 50}};
    const QList<GSensorSample> samples = InjectedDrive::Samples(10, brake);
    struct Case {
        const char* what;
        QList<GpsFix> fixes;
        bool found;
        std::optional<double> before, after;
    };
    const Case cases[] = {
        {"the speed fell", Fixes(InjectedDrive::Speeds(10, brake, 25.0)), true, 60.0, 35.0},
        {"the speed held: a bump", Fixes(InjectedDrive::Speeds(10, brake, 0.0)), false, {}, {}},
        {"no fixes: unconfirmed", {}, true, std::nullopt, std::nullopt},
        {"fixes far from the brake", Fixes({60.0}), true, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const QList<DrivingEvent> events = FindDrivingEvents(samples, c.fixes, EventRules{});
        ASSERT_EQ(events.size(), c.found ? 1 : 0) << c.what;
        if (!c.found)
            continue;
        EXPECT_EQ(events[0].kind, DrivingEventKind::Brake) << c.what;
        EXPECT_EQ(events[0].speedBeforeKmh, c.before) << c.what;
        EXPECT_EQ(events[0].speedAfterKmh, c.after) << c.what;
    }
}

TEST(DrivingEvents, AMinimumStrengthLeavesOutWeakerEvents) {
    const QList<GSensorSample> samples = InjectedDrive::Samples(60, EveryKind);
    QList<DrivingEventKind> strong;
    for (const DrivingEvent& event : FindDrivingEvents(samples, {}, EventRules::AtLeast(65)))
        strong.append(event.kind);
    EXPECT_EQ(strong, (QList{DrivingEventKind::Impact, DrivingEventKind::Impact}));
    // A low minimum finds the gentle ones too, and never the trembling of smooth driving.
    const QList<Injected> gentle = {{DrivingEventKind::Turn, 3000, 2000, 22}};
    EXPECT_TRUE(FindDrivingEvents(InjectedDrive::Samples(10, gentle), {}, EventRules{}).isEmpty());
    EXPECT_EQ(
        FindDrivingEvents(InjectedDrive::Samples(10, gentle), {}, EventRules::AtLeast(20)).size(),
        1);
}

TEST(DrivingEvents, KindsHaveTheirNames) {
    EXPECT_EQ(DrivingEventKindName(DrivingEventKind::Brake), "brake");
    EXPECT_EQ(DrivingEventKindName(DrivingEventKind::Acceleration), "acceleration");
    EXPECT_EQ(DrivingEventKindName(DrivingEventKind::Impact), "impact");
    EXPECT_EQ(DrivingEventKindName(DrivingEventKind::Turn), "turn");
}

} // namespace
