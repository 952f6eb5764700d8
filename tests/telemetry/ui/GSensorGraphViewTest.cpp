#include "telemetry/ui/GSensorGraphView.h"

#include "telemetry/display/GSensorGraph.h"

#include <gtest/gtest.h>

namespace {

// Under the pointer: the time and the sample shown there, in the sensor's own units.
TEST(GSensorGraphView, ReadsOutTheSampleUnderThePointer) {
    GSensorGraphView view(nullptr);
    EXPECT_EQ(view.ReadoutAt(100), "") << "no recording";
    QList<GSensorSample> samples;
    for (int i = 0; i < 20; ++i)
        samples.append({i * 10 - 100, -i, 120 - i, std::uint32_t(i * 3000)});
    view.DrawGSensorGraph(samples, 60000);
    const struct {
        qint64 ms;
        QString readout;
    } cases[] = {
        {0, "00:00.0   X -100   Y 0   Z 120"},
        {31500, "00:31.5   X 0   Y -10   Z 110"},
        {59000, "00:59.0   X 90   Y -19   Z 101"},
    };
    for (const auto& c : cases) {
        const int x = GSensorGraph::CursorX(c.ms, 60000);
        const QString shown = view.ReadoutAt(x);
        // A column stands for a little time: the readout's time is that of the column.
        EXPECT_TRUE(shown.endsWith(c.readout.mid(c.readout.indexOf("   X"))))
            << shown.toStdString();
        EXPECT_TRUE(shown.startsWith(c.readout.left(4))) << shown.toStdString();
    }
}

} // namespace
