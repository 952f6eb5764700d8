#include "telemetry/ui/browser/MapPageHost.h"

#include <cmath>
#include <limits>

void MapPageHost::seekTo(double offsetMs) {
    // The page is not trusted with more than a time within a recording.
    if (std::isfinite(offsetMs) && offsetMs >= 0 && offsetMs <= std::numeric_limits<qint32>::max())
        emit seekRequested(qint64(offsetMs));
}
