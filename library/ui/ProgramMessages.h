#pragma once

#include "library/RecordingSave.h"

#include <QMessageBox>

// The program's message box: its title over a localized text. Returns the button pressed.
QMessageBox::StandardButton
ShowProgramMessage(QWidget* owner, const QString& text,
                   QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// Asks whether the file `fileName` already in the destination folder is replaced. Only Replace
// and Cancel are offered for a single file; a save of several also offers Skip and Replace all.
ClashAnswer AskReplace(QWidget* owner, const QString& fileName, bool severalFiles);
