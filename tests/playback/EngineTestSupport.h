#pragma once

#include "playback/CDShowPlayer.h"
#include "playback/MediaTime.h"
#include "playback/NullAudioOutput.h"
#include "playback/PictureWait.h"
#include "tools/democard/FrameCode.h"

#include <QTest>
#include <memory>

// A player whose sound goes to a device that takes it in real time and makes no noise.
inline std::unique_ptr<CDShowPlayer> SilentPlayer() {
    auto player =
        std::make_unique<CDShowPlayer>([] { return std::make_unique<NullAudioOutput>(); });
    player->Attach(QSize(192, 108));
    return player;
}

// A player on a machine without a sound device.
inline std::unique_ptr<CDShowPlayer> DeviceLessPlayer() {
    auto player =
        std::make_unique<CDShowPlayer>([]() -> std::unique_ptr<AudioOutput> { return nullptr; });
    player->Attach(QSize(192, 108));
    return player;
}

inline qint64 Position(CDShowPlayer& player) {
    qint64 position = -1;
    player.Graph()->CurrentPosition(position);
    return position;
}

inline qint64 Duration(CDShowPlayer& player) {
    qint64 duration = -1;
    player.Graph()->Duration(duration);
    return duration;
}

// The frame number shown now, -1 when there is no readable picture.
inline int ShownFrame(CDShowPlayer& player) {
    QImage frame;
    return player.GrabFrame(frame) ? FrameCode::Read(frame) : -1;
}

// Seeks and waits for the picture of the new position.
inline bool SeekAndWait(CDShowPlayer& player, int ms) {
    return player.SeekMs(ms) && WaitForShownPicture(*player.Graph(), 5000);
}

inline bool PlaysToTheEnd(CDShowPlayer& player, int timeoutMs) {
    return QTest::qWaitFor([&] { return Position(player) == Duration(player); }, timeoutMs);
}
