#pragma once

// What playback needs from FFmpeg, probed the way a user's installation may lack it.
struct PlaybackPieces {
    bool h264Decoder = false;
    bool mp4Demuxer = false;
    bool brightness = false; // colour conversion that can shift brightness
};

// Result codes of CheckFilters.
namespace FilterCheck {
constexpr int AllPresent = 1;
constexpr int NoH264Decoder = -2;
constexpr int NoMp4Demuxer = -3;
constexpr int NoBrightness = -4;
} // namespace FilterCheck

PlaybackPieces ProbePlaybackPieces();
// The first missing piece decides, in the order the pieces are probed.
int CheckPlaybackPieces(const PlaybackPieces& pieces);
