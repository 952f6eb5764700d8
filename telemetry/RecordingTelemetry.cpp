#include "telemetry/RecordingTelemetry.h"

#include "common/LogCategories.h"
#include "common/NativePath.h"
#include "telemetry/GpsFile.h"
#include "telemetry/GsfFile.h"
#include "telemetry/TelemetryFiles.h"

#include <QFile>

namespace {

// What `read` makes of the telemetry file; nothing when the file is missing or unreadable.
template <typename Reader>
auto ReadTelemetryFile(const QString& recordingPath, QLatin1StringView ending, Reader read) {
    const QString path = FindTelemetryFile(recordingPath, ending);
    QFile file;
    if (path.isEmpty()) {
        qCInfo(lcTelemetry, "%s: no telemetry file ending in %s", qUtf8Printable(recordingPath),
               ending.data());
        return decltype(read(file))();
    }
    if (!OpenNativeForReading(file, path)) {
        qCInfo(lcTelemetry, "cannot read %s: %s", qUtf8Printable(path),
               qUtf8Printable(file.errorString()));
        return decltype(read(file))();
    }
    return read(file);
}

} // namespace

void RecordingTelemetry::Load(const QString& recordingPath) {
    m_fixes = ReadTelemetryFile(recordingPath, GpsEnding, ReadGpsFixes);
    m_samples = ReadTelemetryFile(recordingPath, GsfEnding, ReadGsfSamples);
}

std::optional<int> RecordingTelemetry::FindFix(quint32 positionMs) const {
    for (int index = 0; index < m_fixes.size(); ++index)
        if (quint32(m_fixes[index].offset) >= positionMs)
            return index;
    return std::nullopt;
}
