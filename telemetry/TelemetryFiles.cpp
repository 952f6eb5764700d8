#include "telemetry/TelemetryFiles.h"

#include "common/NativePath.h"

QString FindTelemetryFile(const QString& recordingPath, QLatin1StringView ending) {
    if (recordingPath.size() < ending.size())
        return {};
    const QString base = recordingPath.chopped(ending.size());
    for (const QString& name : {base + ending, base + QString(ending).toUpper()})
        if (IsNativeFile(name))
            return name;
    return {};
}
