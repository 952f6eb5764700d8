#pragma once

// What a request to the playback graph came to. The reason of a failed Build is in the graph's
// Error().
enum class PlaybackResult {
    Done,
    // The change has begun and ends later.
    Pending,
    // Run, Pause or Stop asked in a state that does not allow it.
    WrongState,
    // Nothing is open to ask.
    NoMedia,
    Failed,
};

constexpr bool Succeeded(PlaybackResult result) {
    return result == PlaybackResult::Done || result == PlaybackResult::Pending;
}
