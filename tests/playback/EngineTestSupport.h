#pragma once

#include "playback/MediaTime.h"
#include "playback/NullAudioOutput.h"
#include "playback/PictureWait.h"
#include "playback/PlaybackEngine.h"
#include "tools/democard/FrameCode.h"

#include <QTest>
#include <memory>

// A player whose sound goes to a device that takes it in real time and makes no noise.
inline std::unique_ptr<PlaybackEngine> SilentPlayer() {
    auto player =
        std::make_unique<PlaybackEngine>([] { return std::make_unique<NullAudioOutput>(); });
    player->Attach(QSize(192, 108));
    return player;
}

// A player on a machine without a sound device.
inline std::unique_ptr<PlaybackEngine> DeviceLessPlayer() {
    auto player =
        std::make_unique<PlaybackEngine>([]() -> std::unique_ptr<AudioOutput> { return nullptr; });
    player->Attach(QSize(192, 108));
    return player;
}

inline qint64 Position(PlaybackEngine& player) {
    qint64 position = -1;
    player.Graph()->CurrentPosition(position);
    return position;
}

inline qint64 Duration(PlaybackEngine& player) {
    qint64 duration = -1;
    player.Graph()->Duration(duration);
    return duration;
}

// The frame number shown now, -1 when there is no readable picture.
inline int ShownFrame(PlaybackEngine& player) {
    QImage frame;
    return player.GrabFrame(frame) ? FrameCode::Read(frame) : -1;
}

// Seeks and waits for the picture of the new position.
inline bool SeekAndWait(PlaybackEngine& player, int ms) {
    return player.SeekMs(ms) && WaitForShownPicture(*player.Graph(), 5000);
}

inline bool PlaysToTheEnd(PlaybackEngine& player, int timeoutMs) {
    return QTest::qWaitFor([&] { return Position(player) == Duration(player); }, timeoutMs);
}
