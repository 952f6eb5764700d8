#pragma once

class PlaybackGraph;

// For callers without a window (command line, tests, benchmarks): runs the event loop until the
// picture asked for by the last seek is shown. False when it did not come within `timeoutMs`.
bool WaitForShownPicture(PlaybackGraph& graph, int timeoutMs);
