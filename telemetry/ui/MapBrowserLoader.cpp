#include "telemetry/ui/MapBrowserLoader.h"

#include "telemetry/ui/MapBrowser.h"
#include "telemetry/ui/SharedGlContext.h"
#include "telemetry/ui/WebEngineSandbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>

namespace {

MapBrowserModule Load() {
    AllowWebEngineAsRoot();
    ShareOpenGlContextsFromNowOn();
    const QString file = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                         QStringLiteral("/../lib/karvenna/karvenna_mapbrowser"));
    // Kept loaded for the rest of the run: the browsers made by it live as long as their windows.
    auto* loader = new QPluginLoader(file, qApp);
    QObject* instance = loader->instance();
    if (!instance)
        return {nullptr, loader->errorString()};
    auto* factory = qobject_cast<MapBrowserFactory*>(instance);
    if (!factory)
        return {nullptr, file + QStringLiteral(" is not the map's browser module")};
    return {factory, QString()};
}

} // namespace

const MapBrowserModule& LoadMapBrowserModule() {
    static const MapBrowserModule module = Load();
    return module;
}
