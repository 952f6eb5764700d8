#pragma once

#include "tools/democard/DemoCard.h"

// Encodes one recording with the ffmpeg command-line encoder: H.264 with a 440 Hz tone, PCM in
// AVI and AAC in MP4. Every frame shows the recording's name and a running frame counter.
QString WriteVideo(const QString& path, const DemoRecording& recording,
                   const DemoCardOptions& options);
