#pragma once

#include "library/RecordingSave.h"

class QWidget;

// After a save: for each saved MP4 the camera did not finish, offers a repaired copy beside it
// (its samples under a rebuilt moov, "NAME_REPAIRED.MP4"), which any player opens. The saved
// copy and the card stay as they are.
void OfferRepairedCopies(QWidget* window, const SaveReport& report);

// The name of the repaired copy of `target`.
QString RepairedCopyName(const QString& target);
