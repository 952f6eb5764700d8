#include "resources/LocalizedStrings.h"

#include "resources/StringTable.h"

#include <atomic>

namespace {
std::atomic<quint16> uiLanguage{StringTable::English};
}

void SetUILanguage(quint16 language) {
    uiLanguage = language;
}

quint16 GetUILanguage() {
    return uiLanguage;
}

QString LoadLangString(int id) {
    return StringTable::Lookup(GetUILanguage(), id);
}
