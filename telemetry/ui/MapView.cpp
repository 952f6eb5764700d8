#include "telemetry/ui/MapView.h"

#include "telemetry/display/MapScript.h"
#include "telemetry/ui/MapBrowser.h"
#include "telemetry/ui/MapBrowserLoader.h"

#include <QLabel>
#include <QResizeEvent>
#include <QVariant>

MapView::MapView(QWidget* parent) : QWidget(parent) {}

bool MapView::CreateBrowser() {
    const MapBrowserModule& module = LoadMapBrowserModule();
    if (!module.factory) {
        ShowBrowserError(module.error);
        return false;
    }
    QWidget* top = window();
    const QPoint kept = top->pos();
    m_browser = module.factory->Create(
        this, {.loadStarted = [this] { m_loaded = false; },
               .loadFinished =
                   [this](bool ok) {
                       m_loaded = ok;
                       SendTrack();
                       emit pageLoaded(ok);
                   },
               .seekRequested = [this](qint64 offsetMs) { emit trackClicked(offsetMs); }});
    m_browser->Widget()->setGeometry(rect());
    m_browser->Widget()->show();
    // The browser draws through OpenGL, so Qt makes the window anew for it, and a window made
    // anew lands where the window manager puts it. Preparing an OpenGL window from the start
    // would cost every picture of playback a trip through OpenGL, map or not.
    top->move(kept);
    return true;
}

void MapView::ShowBrowserError(const QString& error) {
    qWarning("The map cannot be shown: %s", qUtf8Printable(error));
    if (findChild<QLabel*>())
        return;
    auto* label = new QLabel(tr("The map cannot be shown: %1").arg(error), this);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(rect());
    label->show();
}

void MapView::Navigate(const QUrl& url) {
    if (!m_browser && !CreateBrowser()) {
        emit pageLoaded(false);
        return;
    }
    m_browser->Load(url);
}

QWidget* MapView::Browser() const {
    return m_browser ? m_browser->Widget() : nullptr;
}

void MapView::CallScript(const QString& text, std::function<void(const QString&)> result) {
    const MapScript::ScriptCall call = MapScript::ParseScriptCall(text);
    // Without a page there is no document to call into.
    if (text.isEmpty() || call.function.isEmpty() || !m_browser) {
        if (result)
            result(QString());
        return;
    }
    m_browser->RunScript(MapScript::CallSource(call), [result](const QVariant& value) {
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
    SetTrack({{fixes, 0}}, 0);
}

void MapView::SetTrack(const QList<MapScript::TrackPiece>& pieces, int current) {
    const bool samePieces = pieces == m_pieces;
    m_pieces = pieces;
    m_trackSource = MapScript::TrackSource(pieces, current);
    if (!samePieces)
        SendTrack();
    else if (m_loaded)
        m_browser->RunScript(MapScript::CurrentPieceSource(current), {});
}

void MapView::SendTrack() {
    if (m_loaded)
        m_browser->RunScript(m_trackSource, {});
}

void MapView::resizeEvent(QResizeEvent* event) {
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->setGeometry(QRect(QPoint(), event->size()));
}
