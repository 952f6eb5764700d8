#pragma once

#include "settings/SettingsRecord.h"

// Every access-point name of the camera begins with it.
inline const QString SsidPrefix = QStringLiteral("VESKA-QX5");

// What the settings pages show after "Initialize all settings.": the camera's factory
// configuration, with the access point's name and password to be written and no date, time or
// time zone to be set. The pages load their defaults from it and karvenna-cli writes it, so the
// two never differ. pcm_version is left to the writer.
SettingsRecord DefaultSettingsRecord();
