#include "telemetry/ui/browser/WebMapBrowser.h"

#include "telemetry/ui/browser/MapPageHost.h"

#include <QFile>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

WebMapBrowser::WebMapBrowser(QWidget* parent, Events events) : QWebEngineView(parent) {
    connect(this, &QWebEngineView::loadStarted, this, events.loadStarted);
    connect(this, &QWebEngineView::loadFinished, this, events.loadFinished);
    auto* host = new MapPageHost(this);
    connect(host, &MapPageHost::seekRequested, this, events.seekRequested);
    auto* channel = new QWebChannel(this);
    channel->registerObject(QStringLiteral("host"), host);
    page()->setWebChannel(channel);
    InjectChannelScript();
}

void WebMapBrowser::InjectChannelScript() {
    QFile channelScript(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (!channelScript.open(QIODevice::ReadOnly))
        return;
    QWebEngineScript script;
    script.setName(QStringLiteral("qwebchannel"));
    script.setSourceCode(QString::fromUtf8(channelScript.readAll()));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    page()->scripts().insert(script);
}

void WebMapBrowser::Load(const QUrl& url) {
    load(url);
}

void WebMapBrowser::RunScript(const QString& source, std::function<void(const QVariant&)> result) {
    if (result)
        page()->runJavaScript(source, std::move(result));
    else
        page()->runJavaScript(source);
}
