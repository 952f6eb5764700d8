#include "app/Language.h"

#include "app/ProgramSettings.h"
#include "common/DecimalText.h"
#include "resources/StringTable.h"

quint16 SystemDefaultLanguage(const QLocale& system) {
    switch (system.language()) {
    case QLocale::Japanese:
        return StringTable::Japanese;
    case QLocale::Korean:
        return StringTable::Korean;
    case QLocale::Russian:
        return StringTable::Russian;
    default:
        return StringTable::English;
    }
}

quint16 ChooseUILanguage(const QString& configuredValue, const QLocale& system) {
    const auto* text = reinterpret_cast<const char16_t*>(configuredValue.utf16());
    quint16 language = quint16(ReadDecimalInt(text, text + configuredValue.size()));
    if (language == 0)
        language = SystemDefaultLanguage(system);
    switch (language) {
    case StringTable::Japanese:
    case StringTable::Korean:
    case StringTable::Russian:
        return language;
    default:
        return StringTable::English;
    }
}

QString ConfiguredLanguageValue() {
    return ProgramSettings().value(QStringLiteral("language")).toString();
}
