#pragma once

#include <initializer_list>

class QApplication;

// Gives the windows Qt draws itself (message boxes, file and folder dialogs, the progress window,
// the calendar, the drive dialog, tooltips and menus) the skin's dark colours. Windows of the
// named classes (and SkinDialog) paint the skin themselves and keep the palette they were
// designed against, so they look exactly as they did. Call once, before any window is made.
void ApplyDarkLook(QApplication& application,
                   std::initializer_list<const char*> skinnedWindowClasses);
