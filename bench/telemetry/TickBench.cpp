// The user-interface thread's share of one playback tick with the map pane open: the script call
// to the map page, the speed digits and the graph cursor, with the repaint they cause; then the
// same in full screen with the telemetry overlay over a 1920 x 1080 video. Over a 60 s recording
// (a fix a second, ten G-sensor samples a second), ticks every 200 ms. Prints the median and the
// 95th percentile in microseconds and their share of the tick period.
#include "telemetry/RecordingTelemetry.h"
#include "telemetry/display/SpeedReadout.h"
#include "telemetry/ui/GSensorGraphView.h"
#include "telemetry/ui/MapView.h"
#include "telemetry/ui/SpeedDigitsView.h"
#include "telemetry/ui/TelemetryOverlay.h"
#include "telemetry/ui/WebEngineSandbox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

// The page loads no tiles: the figure is the program's, not the network's.
class LocalFilesOnly : public QWebEngineUrlRequestInterceptor {
public:
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        info.block(info.requestUrl().scheme() != QLatin1String("file"));
    }
};

constexpr int RecordingMs = 60000;
constexpr int TickMs = 200;
constexpr int Passes = 5;

QString WriteTelemetry(const QTemporaryDir& folder) {
    QByteArray gps = "QX5 GPS LOG\r\nVERSION 1.0\r\nSTART\r\n";
    for (int second = 0; second < RecordingMs / 1000; ++second) {
        const double knots = 20.0 + 10.0 * std::sin(second / 7.0);
        gps += QStringLiteral("%1:$GPRMC,0830%2.000,A,%3,N,%4,E,%5,45.0,150313,,,A\r\n")
                   .arg(second * 1000 + 120)
                   .arg(second % 60, 2, 10, QLatin1Char('0'))
                   .arg(3733.1234 + second * 0.01, 0, 'f', 4)
                   .arg(12658.5678 + second * 0.012, 0, 'f', 4)
                   .arg(knots, 0, 'f', 1)
                   .toLatin1();
    }
    QByteArray gsf(524, '\0');
    for (int i = 0; i < RecordingMs / 100; ++i) {
        QByteArray record(32, '\0');
        qToLittleEndian<quint32>(quint32(i * 100), record.data());
        for (int axis = 0; axis < 3; ++axis)
            qToLittleEndian<qint32>(qint32(60 * std::sin(i / (5.0 + axis))),
                                    record.data() + 8 + 4 * axis);
        gsf += record;
    }
    for (auto [name, bytes] : {std::pair{"bench.gps", gps}, {"bench.gsf", gsf}}) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
    }
    return folder.filePath("bench.AVI");
}

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[size_t(fraction * double(values.size() - 1))];
}

void MeasureTicks(const char* title, const std::function<void(int positionMs)>& tick) {
    std::vector<double> micros;
    QElapsedTimer clock;
    for (int pass = 0; pass < Passes; ++pass) {
        for (int position = 0; position < RecordingMs; position += TickMs) {
            clock.start();
            tick(position);
            // The repaint the tick causes belongs to it.
            QCoreApplication::processEvents();
            micros.push_back(double(clock.nsecsElapsed()) / 1000.0);
        }
    }
    const double median = Percentile(micros, 0.5);
    const double p95 = Percentile(micros, 0.95);
    std::printf("%s: %zu ticks\n", title, micros.size());
    std::printf("  median: %.1f us (%.3f %% of the %d ms tick)\n", median, median / (TickMs * 10.0),
                TickMs);
    std::printf("  95th percentile: %.1f us (%.3f %% of the %d ms tick)\n", p95,
                p95 / (TickMs * 10.0), TickMs);
}

} // namespace

int main(int argc, char** argv) {
    AllowWebEngineAsRoot();
    QApplication application(argc, argv);
    LocalFilesOnly localFilesOnly;
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&localFilesOnly);
    QTemporaryDir folder;
    const QString recording = WriteTelemetry(folder);
    if (recording.isEmpty()) {
        std::fprintf(stderr, "cannot write the telemetry\n");
        return 1;
    }
    RecordingTelemetry telemetry;
    telemetry.Load(recording);

    QWidget window;
    window.resize(1022, 682);
    auto* graph = new GSensorGraphView(&window);
    auto* speed = new SpeedDigitsView(&window);
    speed->move(865, 443);
    auto* map = new MapView(&window);
    map->setGeometry(695, 466, 324, 197);
    window.show();
    QSignalSpy loaded(map, &MapView::pageLoaded);
    QUrl page = QUrl::fromLocalFile(QStringLiteral(KARVENNA_MAP_PAGE));
    page.setQuery(QStringLiteral("language=en"));
    map->Navigate(page);
    if (!loaded.wait(60000) || !loaded.first().first().toBool()) {
        std::fprintf(stderr, "the map page did not load\n");
        return 1;
    }
    graph->DrawGSensorGraph(telemetry.Samples(), RecordingMs);
    map->SetTrack(telemetry.Fixes());
    application.processEvents();

    MeasureTicks("map pane", [&](int position) {
        map->UpdateMapPosition(telemetry, quint32(position));
        if (const std::optional<int> n = SpeedReadout::SpeedAt(telemetry, quint32(position)))
            speed->DrawSpeed(*n);
        graph->SetCursorPosition(position);
    });

    // Full screen: the video's surface under the overlay, which repaints with it.
    window.resize(1920, 1080);
    map->setGeometry(0, 0, 0, 0);
    speed->hide();
    graph->hide();
    auto* video = new QWidget(&window);
    video->setGeometry(0, 0, 1920, 1080);
    video->setAutoFillBackground(true);
    video->setPalette(QPalette(Qt::darkGray));
    video->show();
    auto* overlay = new TelemetryOverlay(&window);
    overlay->ShowRecording(telemetry, RecordingMs);
    overlay->move(16, 56);
    overlay->show();
    overlay->raise();
    application.processEvents();
    MeasureTicks("full screen with the telemetry overlay", [&](int position) {
        map->UpdateMapPosition(telemetry, quint32(position));
        overlay->ShowPosition(telemetry, position);
        graph->SetCursorPosition(position);
    });
    return 0;
}
