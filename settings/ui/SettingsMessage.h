#pragma once

class QString;
class QWidget;

// The program's message box over a settings window: a localized text under the program's title.
void Tell(QWidget* owner, int stringId);
// The same with a text already made.
void TellText(QWidget* owner, const QString& text);
// True when the user answers OK.
bool AskOkCancel(QWidget* owner, int stringId);
