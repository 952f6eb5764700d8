#pragma once

#include <QColor>

// The skin's colours; the generator paints with the same ones the controls draw with.
namespace SkinColour {
constexpr QColor Text{171, 171, 171};
constexpr QColor Back{48, 48, 48};
constexpr QColor Signal{247, 58, 8};
constexpr QColor DisabledText{109, 109, 109};
// Pixels of these colours are see-through in the images that use them as their key.
constexpr QColor OverlayKey{0, 255, 0};
constexpr QColor ThumbKey{255, 255, 255};
constexpr QColor CheckBoxKey{255, 0, 255};
} // namespace SkinColour
