#pragma once

#include <QtPlugin>
#include <functional>

class QUrl;
class QVariant;
class QWidget;

// The map's browser, as the map view sees it. The browser engine lives in a module of its own
// (see MapBrowserLoader.h), so that the program does not load it before the map is first shown.
class MapBrowser {
public:
    struct Events {
        std::function<void()> loadStarted;
        std::function<void(bool ok)> loadFinished;
        // The page asked to play from that offset into the recording.
        std::function<void(qint64 offsetMs)> seekRequested;
    };

    virtual ~MapBrowser() = default;

    // The widget showing the page, a child of the parent given on creation.
    virtual QWidget* Widget() = 0;
    virtual void Load(const QUrl& url) = 0;
    virtual void RunScript(const QString& source, std::function<void(const QVariant&)> result) = 0;
};

class MapBrowserFactory {
public:
    virtual ~MapBrowserFactory() = default;

    // The browser belongs to its widget, which belongs to the parent.
    virtual MapBrowser* Create(QWidget* parent, MapBrowser::Events events) = 0;
};

#define KarvennaMapBrowserFactory_iid "org.veska.karvenna.MapBrowserFactory/1"
Q_DECLARE_INTERFACE(MapBrowserFactory, KarvennaMapBrowserFactory_iid)
