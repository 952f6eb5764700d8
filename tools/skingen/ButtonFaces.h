#pragma once

#include "tools/skingen/SkinTable.h"

// Draws one look of a button row over whatever the painter already holds (its backdrop).
void DrawButton(QPainter& p, const SkinRow& row, Look look);
