#include "common/LogCategories.h"

Q_LOGGING_CATEGORY(lcPlayback, "karvenna.playback", QtWarningMsg)
Q_LOGGING_CATEGORY(lcLibrary, "karvenna.library", QtWarningMsg)
Q_LOGGING_CATEGORY(lcTelemetry, "karvenna.telemetry", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSettings, "karvenna.settings", QtWarningMsg)
