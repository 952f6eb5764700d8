#pragma once

#include <QLocale>
#include <QString>

// The user-interface language: the configured decimal value (its low 16 bits), 0 meaning the
// system's own language; only Japanese, Korean and Russian are kept, everything else is English.
quint16 SystemDefaultLanguage(const QLocale& system);
quint16 ChooseUILanguage(const QString& configuredValue, const QLocale& system);

// The configured value as the user's configuration holds it (key "language"), empty when unset.
QString ConfiguredLanguageValue();
