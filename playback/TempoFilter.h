#pragma once

#include <QtGlobal>
#include <vector>

struct AVFilterGraph;
struct AVFilterContext;

// Changes the speed of sound without changing its pitch (libavfilter's atempo), for PcmQueue's
// format. Positions of the output follow from the input position at which it was started.
class TempoFilter {
public:
    explicit TempoFilter(double rate);
    ~TempoFilter();
    TempoFilter(const TempoFilter&) = delete;
    TempoFilter& operator=(const TempoFilter&) = delete;

    bool IsValid() const { return m_sink != nullptr; }
    double Rate() const { return m_rate; }

    // Feeds interleaved samples that start at `position` (only the first feed's position counts);
    // null `samples` drains. Appends what comes out to `out` and returns the position of its first
    // frame.
    qint64 Process(const qint16* samples, int frames, qint64 position, std::vector<qint16>& out);

private:
    double m_rate;
    AVFilterGraph* m_graph = nullptr;
    AVFilterContext* m_source = nullptr;
    AVFilterContext* m_sink = nullptr;
    bool m_started = false;
    qint64 m_startPosition = 0;
    qint64 m_framesOut = 0;
    qint64 m_framesIn = 0;
};
