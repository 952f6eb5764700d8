#include "telemetry/ui/MapView.h"

#include "telemetry/display/MapPage.h"
#include "telemetry/ui/WebEngineSandbox.h"
#include "tests/telemetry/display/TelemetryFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <gtest/gtest.h>

namespace {

// Nothing leaves the machine: every request that is not a local file is refused, as when the
// tile server cannot be reached.
class LocalFilesOnly : public QWebEngineUrlRequestInterceptor {
public:
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        const QString scheme = info.requestUrl().scheme();
        if (scheme != "file" && scheme != "qrc" && scheme != "data")
            info.block(true);
    }
};

constexpr int PageTimeoutMs = 60000;

class MapViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // The profile is touched before any map view makes its browser.
        AllowWebEngineAsRoot();
        QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&interceptor);
    }

    void SetUp() override {
        view = std::make_unique<MapView>(nullptr);
        view->resize(324, 197);
        view->show();
        QSignalSpy loaded(view.get(), &MapView::pageLoaded);
        view->Navigate(MapPage::PageUrl(1033));
        ASSERT_TRUE(loaded.wait(PageTimeoutMs));
        ASSERT_TRUE(loaded.first().first().toBool());
    }

    // What the page's script gives for an expression, as JSON.
    QJsonObject Evaluate(const QString& expression) {
        QString json;
        bool answered = false;
        qobject_cast<QWebEngineView*>(view->Browser())
            ->page()
            ->runJavaScript("JSON.stringify(" + expression + ")", [&](const QVariant& value) {
                json = value.toString();
                answered = true;
            });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }, PageTimeoutMs));
        return QJsonDocument::fromJson(json.toUtf8()).object();
    }

    QString Call(const QString& text) {
        QString result;
        bool answered = false;
        view->CallScript(text, [&](const QString& value) {
            result = value;
            answered = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }, PageTimeoutMs));
        return result;
    }

    static inline LocalFilesOnly interceptor;
    std::unique_ptr<MapView> view;
};

TEST_F(MapViewTest, LoadsWithoutNetworkAndShowsAPlainBackground) {
    const QJsonObject page =
        Evaluate("{leaflet: typeof L, drawCurrent: typeof DrawCurrent, drawTrack: typeof DrawTrack,"
                 " language: document.documentElement.lang,"
                 " scale: document.querySelectorAll('.leaflet-control-scale').length,"
                 " offline: document.getElementById('map').classList.contains('offline')}");
    EXPECT_EQ(page["leaflet"].toString(), "object");
    EXPECT_EQ(page["drawCurrent"].toString(), "function");
    EXPECT_EQ(page["drawTrack"].toString(), "function");
    EXPECT_EQ(page["language"].toString(), "en");
    EXPECT_EQ(page["scale"].toInt(), 1);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return Evaluate("{offline: document.getElementById('map').classList.contains("
                            "'offline')}")["offline"]
                .toBool();
        },
        PageTimeoutMs));
}

TEST_F(MapViewTest, DrawCurrentMovesTheMarker) {
    TelemetryFixture fixture;
    fixture.WriteGps(TelemetryFixture::Fix(1000, "3733.1234,N,12658.5678,E") +
                     TelemetryFixture::Fix(2000, "3733.1234,S,12658.5678,W"));
    const RecordingTelemetry telemetry = fixture.Load();
    for (quint32 position : {500u, 1500u}) {
        view->UpdateMapPosition(telemetry, position);
        const double sign = position < 1000 ? 1 : -1;
        EXPECT_NEAR(view->latitude, sign * 37.552057, 1e-6);
        EXPECT_NEAR(view->longitude, sign * 126.976130, 1e-6);
        QJsonObject marker;
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                marker = Evaluate("marker && {lat: marker.getLatLng().lat,"
                                  " lng: marker.getLatLng().lng,"
                                  " shown: map.getBounds().contains(marker.getLatLng())}");
                return std::abs(marker["lat"].toDouble() - sign * 37.552057) < 1e-6;
            },
            PageTimeoutMs))
            << position;
        EXPECT_NEAR(marker["lng"].toDouble(), sign * 126.976130, 1e-6);
        EXPECT_TRUE(marker["shown"].toBool());
    }
}

TEST_F(MapViewTest, CallScriptPassesTheTokensInOrderAndNothingElse) {
    Evaluate("{set: !!(window.Join = function () {"
             " return Array.prototype.map.call(arguments, function (a) {"
             " return typeof a + ':' + a; }).join('|'); })}");
    EXPECT_EQ(Call("javascript:Join('126.976130', '37.552057','9')"),
              "string:126.976130|string:37.552057|string:9");
    EXPECT_EQ(Call("javascript:Missing(1)"), "");
    EXPECT_EQ(Call("javascript:Join (a)//(b)"), "string:a|string://|string:b");
    EXPECT_EQ(Call(""), "");
    EXPECT_EQ(Call("Join x y"), "");
    // A token is never code: this reaches Join as text.
    EXPECT_EQ(Call("javascript:Join(window.Hit=1)"), "string:window.Hit=1");
    EXPECT_EQ(Evaluate("{hit: typeof window.Hit}")["hit"].toString(), "undefined");
}

TEST_F(MapViewTest, DrawsTheTrackAndSeeksFromAClickOnIt) {
    TelemetryFixture fixture;
    fixture.WriteGps(TelemetryFixture::Fix(1000, "3733.0000,N,12658.0000,E") +
                     TelemetryFixture::Fix(2000, "3733.1000,N,12658.1000,E") +
                     TelemetryFixture::Fix(3000, "3733.2000,N,12658.3000,E"));
    view->SetTrack(fixture.Load().Fixes());
    QJsonObject track;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            track = Evaluate("{points: trackPoints.length,"
                             " paths: document.querySelectorAll('path.leaflet-interactive').length,"
                             " fitted: !!track && map.getBounds().contains(track.getBounds())}");
            return track["points"].toInt() == 3;
        },
        PageTimeoutMs));
    // The line, its wide twin for clicks, the start and the end.
    EXPECT_EQ(track["paths"].toInt(), 4);
    EXPECT_TRUE(track["fitted"].toBool());

    QSignalSpy clicked(view.get(), &MapView::trackClicked);
    Evaluate("{clicked: trackLayers.getLayers().filter(function (l) {"
             " return l.options.opacity === 0; }).map(function (l) {"
             " l.fire('click', {latlng: L.latLng(37.5516, 126.9683)}); return true; }).length}");
    ASSERT_TRUE(QTest::qWaitFor([&] { return clicked.count() == 1; }, PageTimeoutMs));
    EXPECT_EQ(clicked.first().first().toLongLong(), 2000);

    // A page loaded again gets the track again.
    QSignalSpy loaded(view.get(), &MapView::pageLoaded);
    view->Navigate(MapPage::PageUrl(1041));
    ASSERT_TRUE(loaded.wait(PageTimeoutMs));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return Evaluate("{points: trackPoints.length}")["points"].toInt() == 3; },
        PageTimeoutMs));
    EXPECT_EQ(Evaluate("{language: document.documentElement.lang}")["language"].toString(), "ja");
}

TEST_F(MapViewTest, ATripsPiecesShareTheViewAndTheNextRecordingOnlyChangesTheStrongOne) {
    TelemetryFixture fixture;
    fixture.WriteGps(TelemetryFixture::Fix(1000, "3733.0000,N,12658.0000,E") +
                     TelemetryFixture::Fix(2000, "3733.1000,N,12658.1000,E"));
    const QList<GpsFix> fixes = fixture.Load().Fixes();
    TelemetryFixture later;
    later.WriteGps(TelemetryFixture::Fix(500, "3733.2000,N,12658.3000,E") +
                   TelemetryFixture::Fix(1500, "3733.3000,N,12658.4000,E"));
    const QList<MapScript::TrackPiece> trip{{fixes, 0}, {later.Load().Fixes(), 60000}};
    view->SetTrack(trip, 0);
    const QString state = "{points: trackPoints.length, current: currentPiece,"
                          " strong: pieceLines.map(function (l) { return l.options.weight; }),"
                          " centre: map.getCenter().lat + ',' + map.getCenter().lng}";
    QJsonObject drawn;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            drawn = Evaluate(state);
            return drawn["points"].toInt() == 4;
        },
        PageTimeoutMs));
    EXPECT_EQ(drawn["strong"].toArray(), QJsonArray({4, 3}));
    Evaluate("{moved: (map.panBy([40, 30], {animate: false}), true)}");
    const QString centre = Evaluate(state)["centre"].toString();

    view->SetTrack(trip, 1);
    QJsonObject next;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            next = Evaluate(state);
            return next["current"].toInt() == 1;
        },
        PageTimeoutMs));
    EXPECT_EQ(next["strong"].toArray(), QJsonArray({3, 4}));
    EXPECT_EQ(next["centre"].toString(), centre) << "the view stays where the user left it";

    // A click near the later piece asks for the time on the trip.
    QSignalSpy clicked(view.get(), &MapView::trackClicked);
    Evaluate("{clicked: trackLayers.getLayers().filter(function (l) {"
             " return l.options.opacity === 0; }).map(function (l) {"
             " l.fire('click', {latlng: L.latLng(37.5551, 126.9733)}); return true; }).length}");
    ASSERT_TRUE(QTest::qWaitFor([&] { return clicked.count() == 1; }, PageTimeoutMs));
    EXPECT_EQ(clicked.first().first().toLongLong(), 61500);
}

} // namespace
