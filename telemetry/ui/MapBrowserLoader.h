#pragma once

#include <QString>

class MapBrowserFactory;

// Loads the browser module (lib/karvenna/karvenna_mapbrowser.so beside the program's share
// folder) on the first call; the browser engine's libraries come with it.
struct MapBrowserModule {
    MapBrowserFactory* factory = nullptr; // null when the module could not be loaded
    QString error;                        // why, when it could not
};
const MapBrowserModule& LoadMapBrowserModule();
