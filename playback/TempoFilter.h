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

    bool IsValid() const { return sink_ != nullptr; }
    double Rate() const { return rate_; }

    // Feeds interleaved samples that start at `position` (only the first feed's position counts);
    // null `samples` drains. Appends what comes out to `out` and returns the position of its first
    // frame.
    qint64 Process(const qint16* samples, int frames, qint64 position, std::vector<qint16>& out);

private:
    double rate_;
    AVFilterGraph* graph_ = nullptr;
    AVFilterContext* source_ = nullptr;
    AVFilterContext* sink_ = nullptr;
    bool started_ = false;
    qint64 startPosition_ = 0;
    qint64 framesOut_ = 0;
    qint64 framesIn_ = 0;
};
