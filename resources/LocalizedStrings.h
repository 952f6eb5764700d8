#pragma once

#include <QString>

// The user-interface language is decided once by the main window while it starts; every text
// of every window is then loaded in it.
void SetUILanguage(quint16 language);
quint16 GetUILanguage();

// The text of a string ID in the user-interface language; empty when the table has none.
QString LoadLangString(int id);
