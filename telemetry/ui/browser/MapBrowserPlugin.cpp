#include "telemetry/ui/browser/MapBrowserPlugin.h"

#include "telemetry/ui/browser/WebMapBrowser.h"

MapBrowser* MapBrowserPlugin::Create(QWidget* parent, MapBrowser::Events events) {
    return new WebMapBrowser(parent, std::move(events));
}
