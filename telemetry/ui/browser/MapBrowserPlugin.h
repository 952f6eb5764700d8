#pragma once

#include "telemetry/ui/MapBrowser.h"

#include <QObject>

// The entry of the browser module, found by MapBrowserLoader.
class MapBrowserPlugin : public QObject, public MapBrowserFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KarvennaMapBrowserFactory_iid)
    Q_INTERFACES(MapBrowserFactory)
public:
    MapBrowser* Create(QWidget* parent, MapBrowser::Events events) override;
};
