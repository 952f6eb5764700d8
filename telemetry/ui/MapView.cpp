#include "telemetry/ui/MapView.h"

#include "telemetry/display/MapScript.h"
#include "telemetry/ui/MapPageHost.h"
#include "telemetry/ui/WebEngineSandbox.h"

#include <QFile>
#include <QResizeEvent>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

MapView::MapView(QWidget* parent) : QWidget(parent) {}

void MapView::CreateBrowser() {
    AllowWebEngineAsRoot();
    QWidget* top = window();
    const QPoint kept = top->pos();
    m_browser = new QWebEngineView(this);
    m_browser->setGeometry(rect());
    m_browser->show();
    // The browser draws through OpenGL, so Qt makes the window anew for it, and a window made
    // anew lands where the window manager puts it. Preparing an OpenGL window from the start
    // would cost every picture of playback a trip through OpenGL, map or not.
    top->move(kept);
    connect(m_browser, &QWebEngineView::loadStarted, this, [this] { m_loaded = false; });
    connect(m_browser, &QWebEngineView::loadFinished, this, [this](bool ok) {
        m_loaded = ok;
        SendTrack();
        emit pageLoaded(ok);
    });
    auto* host = new MapPageHost(this);
    connect(host, &MapPageHost::seekRequested, this, &MapView::trackClicked);
    auto* channel = new QWebChannel(this);
    channel->registerObject(QStringLiteral("host"), host);
    m_browser->page()->setWebChannel(channel);
    QFile channelScript(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (channelScript.open(QIODevice::ReadOnly)) {
        QWebEngineScript script;
        script.setName(QStringLiteral("qwebchannel"));
        script.setSourceCode(QString::fromUtf8(channelScript.readAll()));
        script.setInjectionPoint(QWebEngineScript::DocumentCreation);
        script.setWorldId(QWebEngineScript::MainWorld);
        m_browser->page()->scripts().insert(script);
    }
}

void MapView::Navigate(const QUrl& url) {
    if (!m_browser)
        CreateBrowser();
    m_browser->load(url);
}

void MapView::CallScript(const QString& text, std::function<void(const QString&)> result) {
    const MapScript::ScriptCall call = MapScript::ParseScriptCall(text);
    // Without a page there is no document to call into.
    if (text.isEmpty() || call.function.isEmpty() || !m_browser) {
        if (result)
            result(QString());
        return;
    }
    m_browser->page()->runJavaScript(MapScript::CallSource(call), [result](const QVariant& value) {
        if (result)
            result(value.toString());
    });
}

void MapView::UpdateMapPosition(const RecordingTelemetry& telemetry, quint32 positionMs) {
    const std::optional<int> index = MapScript::MapFixIndex(telemetry, positionMs);
    if (!index)
        return;
    const GpsFix& fix = telemetry.Fixes()[*index];
    CallScript(MapScript::DrawCurrentText(fix));
    latitude = MapScript::DecimalDegrees(fix.latitude);
    longitude = MapScript::DecimalDegrees(fix.longitude);
}

void MapView::SetTrack(const QList<GpsFix>& fixes) {
    m_trackSource = MapScript::TrackSource(fixes);
    SendTrack();
}

void MapView::SendTrack() {
    if (m_loaded)
        m_browser->page()->runJavaScript(m_trackSource);
}

void MapView::resizeEvent(QResizeEvent* event) {
    if (m_browser)
        m_browser->setGeometry(QRect(QPoint(), event->size()));
}
