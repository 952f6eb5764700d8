#pragma once

#include <QSettings>

// The program's own choices (language, which events to find), in ~/.config/karvenna/.
inline QSettings ProgramSettings() {
    return QSettings(QStringLiteral("karvenna"), QStringLiteral("karvenna"));
}
