#pragma once

#include "telemetry/ui/MapBrowser.h"

#include <QWebEngineView>

// The map page in Qt WebEngine, with the page's "host" object on a web channel.
class WebMapBrowser : public QWebEngineView, public MapBrowser {
    Q_OBJECT
public:
    WebMapBrowser(QWidget* parent, Events events);

    QWidget* Widget() override { return this; }
    void Load(const QUrl& url) override;
    void RunScript(const QString& source, std::function<void(const QVariant&)> result) override;

private:
    void InjectChannelScript();
};
