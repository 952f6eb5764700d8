#pragma once

#include <QFont>

// The skin's face with the given cell height in pixels (ascent plus descent, as the skin's
// sizes are meant) and weight (400 regular, 700 bold).
QFont SkinFont(int cellHeight, int weight, bool underline = false);
