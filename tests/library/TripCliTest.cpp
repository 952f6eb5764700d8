#include "tests/support/RunCli.h"
#include "tests/telemetry/InjectedDrive.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using InjectedDrive::Injected;

// Two recordings back to back with a brake and an impact, then after a pause a recording
// without fixes that holds a turn.
class TripCli : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(card.path()).mkdir("Recordings"));
        const QString folder = card.filePath("Recordings");
        ASSERT_TRUE(InjectedDrive::WriteRecording(folder, "20130521_153000_NOR.AVI", 60,
                                                  {{DrivingEventKind::Brake, 10000, 1500, 50}}));
        ASSERT_TRUE(InjectedDrive::WriteRecording(folder, "20130521_153100_EVT.AVI", 60,
                                                  {{DrivingEventKind::Impact, 3000, 100, 110}}));
        ASSERT_TRUE(InjectedDrive::WriteRecording(folder, "20130521_154000_MOT.AVI", 30,
                                                  {{DrivingEventKind::Turn, 5000, 2000, -45}}, 0.0,
                                                  false));
    }

    CliResult Run(const QStringList& args) {
        return RunCli(args, {"XDG_CACHE_HOME=" + cache.path()});
    }

    QJsonArray Json(const QStringList& args) {
        const CliResult result = Run(args);
        EXPECT_EQ(result.exitCode, 0) << result.error.toStdString();
        QJsonParseError error;
        const QJsonDocument json = QJsonDocument::fromJson(result.out, &error);
        EXPECT_TRUE(json.isArray()) << error.errorString().toStdString();
        return json.array();
    }

    QTemporaryDir card;
    QTemporaryDir cache;
};

TEST_F(TripCli, PrintsTheTripsOldestFirst) {
    const QJsonArray trips = Json({"trips", card.path()});
    ASSERT_EQ(trips.size(), 2);
    const QJsonObject first = trips[0].toObject();
    EXPECT_EQ(first.keys().size(), 6);
    EXPECT_EQ(first["start"], "2013-05-21T15:30:00");
    EXPECT_EQ(first["end"], "2013-05-21T15:32:00");
    EXPECT_EQ(first["recordings"],
              QJsonArray({"20130521_153000_NOR.AVI", "20130521_153100_EVT.AVI"}));
    EXPECT_NEAR(first["distance_km"].toDouble(), 1.9, 0.1); // two minutes, mostly at 60 km/h
    EXPECT_EQ(first["max_speed_kmh"], 60.0);
    EXPECT_EQ(first["events"], 2);
    const QJsonObject second = trips[1].toObject();
    EXPECT_EQ(second["start"], "2013-05-21T15:40:00");
    EXPECT_EQ(second["end"], "2013-05-21T15:40:30");
    EXPECT_EQ(second["distance_km"], 0);
    EXPECT_EQ(second["events"], 1);
    // The fields come in the order a reader expects.
    static const QRegularExpression order(
        "^\\[\n  \\{\"start\": .*, \"end\": .*, \"recordings\": .*, \"distance_km\": .*, "
        "\"max_speed_kmh\": .*, \"events\": 2\\},\n");
    EXPECT_TRUE(order.match(Run({"trips", card.path()}).Text()).hasMatch());
}

TEST_F(TripCli, PrintsTheEventsInTimeOrder) {
    struct Expected {
        const char* recording;
        int atMs;
        const char* kind;
        int strength;
        QJsonValue before, after;
    };
    const Expected expected[] = {
        {"20130521_153000_NOR.AVI", 10000, "brake", 50, 60.0, 40.0},
        {"20130521_153100_EVT.AVI", 3000, "impact", 110, 60.0, 60.0},
        {"20130521_154000_MOT.AVI", 5000, "turn", 45, QJsonValue::Null, QJsonValue::Null},
    };
    const QJsonArray events = Json({"events", card.path()});
    ASSERT_EQ(events.size(), std::size(expected));
    for (int i = 0; i < events.size(); ++i) {
        const QJsonObject event = events[i].toObject();
        SCOPED_TRACE(i);
        EXPECT_EQ(event.keys().size(), 6);
        EXPECT_EQ(event["recording"], expected[i].recording);
        EXPECT_LE(std::abs(event["at_ms"].toInt() - expected[i].atMs), 200);
        EXPECT_EQ(event["kind"], expected[i].kind);
        EXPECT_NEAR(event["strength"].toInt(), expected[i].strength, 8);
        EXPECT_EQ(event["speed_before_kmh"], expected[i].before);
        EXPECT_EQ(event["speed_after_kmh"], expected[i].after);
    }
    // The second run reads the cache and says the same.
    EXPECT_EQ(Json({"events", card.path()}), events);
    EXPECT_FALSE(QDir(cache.filePath("karvenna")).isEmpty());

    const QJsonArray strong = Json({"events", "--min-strength", "100", card.path() + '/'});
    ASSERT_EQ(strong.size(), 1);
    EXPECT_EQ(strong[0].toObject()["kind"], "impact");
}

TEST_F(TripCli, ExportsATripAsOneGpxTrack) {
    QTemporaryDir out;
    const QString gpx = out.filePath("trip.gpx");
    const CliResult exported = Run({"export", card.path(), "--trip", "0", "--gpx", gpx});
    ASSERT_EQ(exported.exitCode, 0) << exported.error.toStdString();
    QFile file(gpx);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_EQ(text.count("<trk>"), 1);
    EXPECT_EQ(text.count("<trkpt "), 120);
    EXPECT_TRUE(text.contains("<name>Trip of 2013-05-21T15:30:00</name>"));

    const struct {
        QStringList args;
        int exitCode;
        const char* error;
    } refused[] = {
        {{"export", card.path(), "--trip", "1", "--gpx", gpx}, 1, "trip 1 holds no GPS fix"},
        {{"export", card.path(), "--trip", "2", "--gpx", gpx}, 1, "there is no trip 2"},
        {{"export", card.path() + "/nowhere", "--trip", "0", "--gpx", gpx},
         1,
         "no recordings folder"},
        {{"export", card.path(), "--trip", "x", "--gpx", gpx}, 2, "usage"},
        {{"export", card.path(), "--trip", "0"}, 2, "usage"},
        {{"events", card.path(), "--min-strength", "0"}, 2, "usage"},
    };
    for (const auto& c : refused) {
        const CliResult result = Run(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(result.error.contains(c.error)) << result.error.toStdString();
    }
    // What was written stays as it was.
    EXPECT_EQ(QFile(gpx).size(), text.size());
}

TEST(DemoCardTrips, EachDayHoldsAShortTripAndOneWithEveryKindOfEvent) {
    QTemporaryDir cache;
    const QString card = qEnvironmentVariable("KARVENNA_TEST_CARD");
    const QStringList environment{"XDG_CACHE_HOME=" + cache.path()};
    const QJsonArray trips =
        QJsonDocument::fromJson(RunCli({"trips", card}, environment).out).array();
    ASSERT_EQ(trips.size(), 4);
    QStringList kinds;
    for (const QJsonValue event :
         QJsonDocument::fromJson(RunCli({"events", card}, environment).out).array())
        kinds << event["kind"].toString();
    for (int day = 0; day < 2; ++day) {
        EXPECT_EQ(trips[2 * day]["recordings"].toArray().size(), 1);
        EXPECT_EQ(trips[2 * day]["events"], 0);
        EXPECT_EQ(trips[2 * day + 1]["recordings"].toArray().size(), 2);
        EXPECT_EQ(trips[2 * day + 1]["events"], 3);
        EXPECT_EQ(kinds.mid(3 * day, 3), (QStringList{"brake", "impact", "turn"}));
    }
}

} // namespace
