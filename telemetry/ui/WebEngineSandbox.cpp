#include "telemetry/ui/WebEngineSandbox.h"

#include <QByteArray>
#include <unistd.h>

void AllowWebEngineAsRoot() {
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", QByteArrayLiteral("1"));
}
