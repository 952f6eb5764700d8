#include "telemetry/display/MapPage.h"
#include "telemetry/ui/MapView.h"

#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

bool BrowserEngineLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngineCore");
}

// This program, like the main window's, does not link the browser engine: the map view loads it
// with the first page, after the application object exists.
TEST(MapBrowserModule, LoadsTheBrowserEngineWithTheFirstPageOnly) {
    MapView view(nullptr);
    view.resize(324, 197);
    view.show();
    view.CallScript(QStringLiteral("DrawCurrent(1,2,3)"));
    ASSERT_FALSE(BrowserEngineLoaded());
    EXPECT_EQ(view.Browser(), nullptr);

    QSignalSpy loaded(&view, &MapView::pageLoaded);
    view.Navigate(MapPage::PageUrl(1033));
    ASSERT_TRUE(loaded.wait(60000));
    EXPECT_TRUE(loaded.first().first().toBool());
    EXPECT_TRUE(BrowserEngineLoaded());
    ASSERT_NE(view.Browser(), nullptr);
    EXPECT_EQ(view.Browser()->parentWidget(), &view);
    EXPECT_EQ(view.Browser()->size(), view.size());
}

} // namespace
