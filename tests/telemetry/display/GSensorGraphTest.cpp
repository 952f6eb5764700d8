#include "telemetry/display/GSensorGraph.h"

#include "skin/BitmapIds.h"
#include "skin/SkinBitmaps.h"

#include <gtest/gtest.h>

namespace {

// A sample at t ms with its three axis values.
GSensorSample Sample(quint32 t, int x, int y, int z) {
    return {x, y, z, t};
}

bool IsCurve(const QImage& graph, int x, int y) {
    return graph.pixel(x, y) == GSensorGraph::CurveColour;
}

int CurvePixels(const QImage& graph) {
    int count = 0;
    for (int y = 0; y < graph.height(); ++y)
        for (int x = 0; x < graph.width(); ++x)
            count += IsCurve(graph, x, y);
    return count;
}

QImage Background() {
    return SkinImage(BitmapId::GSensorGraph);
}

TEST(GSensorGraph, BackgroundIsTheSkinsGraphWithoutTheCurveColour) {
    const QImage background = Background();
    ASSERT_EQ(background.size(), QSize(370, 114));
    EXPECT_EQ(CurvePixels(background.convertToFormat(QImage::Format_RGB32)), 0);
}

TEST(GSensorGraph, PlacesSamplesOnTheScale) {
    struct Point {
        int x, y;
        bool curve;
    };
    const struct {
        const char* name;
        QList<GSensorSample> samples;
        qint64 durationMs;
        QList<Point> points;
    } cases[] = {
        {"a sample at 0 ms starts at x = 0 on each baseline",
         {Sample(0, 0, 0, 0), Sample(1000, 0, 0, 0)},
         10000,
         {{0, 19, true}, {0, 57, true}, {0, 95, true}, {36, 19, true}, {38, 19, false}}},
        {"a sample at the end lies at x = 372, past the last column",
         {Sample(0, 0, 0, 0), Sample(10000, 0, 0, 0)},
         10000,
         {{369, 19, true}, {369, 57, true}, {369, 95, true}}},
        {"the scale takes whole seconds: 10999 ms scale as 10000",
         {Sample(0, 0, 0, 0), Sample(5000, 0, 0, 0)},
         10999,
         {{180, 19, true}, {190, 19, false}}},
        {"+120 lands at y = 1 and -120 at y = 36 on the first curve",
         {Sample(0, 120, 0, 0), Sample(5000, 120, 0, 0), Sample(5000, -120, 0, 0),
          Sample(10000, -120, 0, 0)},
         10000,
         {{100, 1, true}, {100, 0, false}, {100, 2, false}, {300, 36, true}, {300, 37, false}}},
        {"a sample after 300000 ms gets no line",
         {Sample(0, 0, 0, 0), Sample(300001, 120, 0, 0)},
         600000,
         {{0, 19, false}, {186, 1, false}, {93, 10, false}}},
        {"a first sample after 300000 ms still starts the curve",
         {Sample(300001, 120, 0, 0), Sample(0, 0, 0, 0)},
         600000,
         {{186, 1, true}, {0, 19, true}}},
    };
    for (const auto& c : cases) {
        const QImage graph = GSensorGraph::Draw(Background(), c.samples, c.durationMs);
        ASSERT_EQ(graph.size(), QSize(370, 114)) << c.name;
        for (const Point& point : c.points)
            EXPECT_EQ(IsCurve(graph, point.x, point.y), point.curve)
                << c.name << " at (" << point.x << ", " << point.y << ")";
    }
}

TEST(GSensorGraph, DrawsNothingWithoutSamplesOrAWholeSecond) {
    const QList<GSensorSample> samples{Sample(0, 50, 50, 50), Sample(500, -50, -50, -50)};
    for (qint64 duration : {0, 999})
        EXPECT_EQ(CurvePixels(GSensorGraph::Draw(Background(), samples, duration)), 0) << duration;
    EXPECT_EQ(CurvePixels(GSensorGraph::Draw(Background(), {}, 10000)), 0);
    EXPECT_GT(CurvePixels(GSensorGraph::Draw(Background(), samples, 1000)), 0);
}

TEST(GSensorGraph, CursorAndClickShareTheCurvesScale) {
    EXPECT_EQ(GSensorGraph::CursorX(0, 10000), 0);
    EXPECT_EQ(GSensorGraph::CursorX(5000, 10999), 186);
    // The last columns of the scale lie outside the image; the cursor stays on its edge.
    EXPECT_EQ(GSensorGraph::CursorX(10000, 10000), 369);
    EXPECT_EQ(GSensorGraph::CursorX(1000, 999), -1);
    EXPECT_EQ(GSensorGraph::PositionAtX(186, 10000), 5000);
    EXPECT_EQ(GSensorGraph::PositionAtX(0, 10000), 0);
    EXPECT_EQ(GSensorGraph::PositionAtX(369, 10000), 9919);
    // A click past the scale of a 10.5 s recording still lands inside it.
    EXPECT_EQ(GSensorGraph::PositionAtX(369, 10500), 9919);
    EXPECT_EQ(GSensorGraph::PositionAtX(400, 10500), 10500);
}

} // namespace
