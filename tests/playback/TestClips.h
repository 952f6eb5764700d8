#pragma once

#include <QString>

// Short recordings made once per test program by the demo-card generator and ffmpeg: 4 s,
// 192 x 108, 10 frames per second, one key frame a second, a 440 Hz tone. Every frame shows its
// number (FrameCode), so frame n starts at n * 100 ms.
struct TestClips {
    QString avi;        // H.264 + PCM
    QString mp4;        // H.264 + AAC
    QString aviBFrames; // the AVI and the MP4 encoded again with B-frames, a key frame a second
    QString mp4BFrames;
    // The B-frame clips at 30 frames a second, without sound: most frames start between two
    // 100-ns units.
    QString aviThirtyFps;
    QString mp4ThirtyFps;
    // The same MP4 with its 4 s of sound, which outlast its 40 pictures by 2.7 s.
    QString mp4ThirtyFpsLongerSound;
    QString videoOnly;  // the AVI without its sound
    QString truncated;  // the AVI cut off after 60 % of its bytes
    QString oddLength;  // 3.000792 s long
    QString lateSound;  // the MP4 whose sound starts only at 1.5 s
    QString noisySound; // the MP4 with every sound packet scrambled
    QString folder;     // for a test's own files
};

constexpr int ClipMs = 4000;
constexpr int FrameMs = 100;

const TestClips& Clips();
// Copies `source` to `name` in the clips' folder; returns the new path.
QString CopyClip(const QString& source, const QString& name);
