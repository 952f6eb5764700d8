#pragma once

#include <QString>

// FFmpeg's own messages go to the karvenna.playback category: warnings and errors as info,
// the rest as debug. Once per process; later calls do nothing.
void RouteFfmpegLog();

// FFmpeg's text for one of its error codes.
QString FfmpegErrorText(int code);
