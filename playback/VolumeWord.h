#pragma once

#include <QtGlobal>

// Where the volume slider (0 to 99) stands when the program starts.
constexpr int DefaultVolumeSlider = 50;

// The volume slider (0 to 99) as the output volume word: the same level in the low (left) and
// high (right) 16 bits; 0 is silent, 99 gives 64879 per channel.
constexpr quint32 VolumeWordFromSlider(int position) {
    const quint32 level = quint32(position * 65535 / 100); // p * 655.35, truncated
    return level | (level << 16);
}
