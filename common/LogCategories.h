#pragma once

#include <QLoggingCategory>

// Why something failed, for whoever switches a category on, for example
// QT_LOGGING_RULES="karvenna.*.info=true". Warnings show by default; info and debug do not.
Q_DECLARE_LOGGING_CATEGORY(lcPlayback)
Q_DECLARE_LOGGING_CATEGORY(lcLibrary)
Q_DECLARE_LOGGING_CATEGORY(lcTelemetry)
Q_DECLARE_LOGGING_CATEGORY(lcSettings)
