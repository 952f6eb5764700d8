#pragma once

#include "library/RecordingSave.h"

class QWidget;

// Asks whether the file `fileName` already in the destination folder is replaced. Only Replace
// and Cancel are offered for a single file; a save of several also offers Skip and Replace all.
ClashAnswer AskReplace(QWidget* owner, const QString& fileName, bool severalFiles);
