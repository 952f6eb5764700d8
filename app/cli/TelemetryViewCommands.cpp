#include "app/cli/CliCommand.h"
#include "playback/ImageFile.h"
#include "playback/PlaybackEngine.h"
#include "skin/BitmapIds.h"
#include "skin/SkinBitmaps.h"
#include "telemetry/RecordingTelemetry.h"
#include "telemetry/display/GSensorGraph.h"
#include "telemetry/display/MapPage.h"
#include "telemetry/display/MapScript.h"

#include <QFileInfo>

namespace {

int PrintMapCall(const QStringList& argsIn) {
    QStringList args = argsIn;
    const QString at = TakeOption(args, QStringLiteral("--at"));
    ExpectPositional(args, 1);
    bool ok = false;
    const quint32 position = at.toUInt(&ok);
    if (!ok)
        throw UsageError{};
    RecordingTelemetry telemetry;
    telemetry.Load(args[0]);
    if (const std::optional<int> index = MapScript::MapFixIndex(telemetry, position))
        PrintLine(MapScript::DrawCurrentText(telemetry.Fixes()[*index]));
    return 0;
}

int WriteGraph(const QStringList& argsIn) {
    QStringList args = argsIn;
    const QString out = TakeOption(args, QStringLiteral("-o"));
    const QString duration = TakeOption(args, QStringLiteral("--duration-ms"));
    ExpectPositional(args, 1);
    if (out.isEmpty())
        throw UsageError{};
    const QString recording = args[0];
    qint64 durationMs = 0;
    if (!duration.isNull()) {
        bool ok = false;
        durationMs = duration.toLongLong(&ok);
        if (!ok || durationMs < 0)
            throw UsageError{};
    } else {
        PlaybackEngine player(nullptr);
        player.Attach(QSize());
        if (!player.Open(recording)) {
            PrintError(
                QStringLiteral("cannot read the length of %1 (give --duration-ms)").arg(recording));
            return 1;
        }
        durationMs = player.DurationMs();
    }
    RecordingTelemetry telemetry;
    telemetry.Load(recording);
    const QImage graph =
        GSensorGraph::Draw(SkinImage(BitmapId::GSensorGraph), telemetry.Samples(), durationMs);
    if (const QString failure = WriteImageFile(out, graph, "PNG"); !failure.isEmpty()) {
        PrintError(failure);
        return 1;
    }
    return 0;
}

int PrintMapPage(const QStringList& args) {
    ExpectPositional(args, 1);
    bool ok = false;
    const quint16 language = quint16(args[0].toUShort(&ok));
    if (!ok)
        throw UsageError{};
    if (!QFileInfo::exists(MapPage::PageFile())) {
        PrintError(QStringLiteral("no map page at %1").arg(MapPage::PageFile()));
        return 1;
    }
    PrintLine(MapPage::PageUrl(language).toString());
    return 0;
}

} // namespace

const CliCommand TelemetryViewCliCommands[] = {
    {"map-call", "map-call RECORDING --at MS", PrintMapCall},
    {"graph", "graph RECORDING -o OUT.png [--duration-ms D]", WriteGraph},
    {"map-page", "map-page LANG", PrintMapPage},
};
const int TelemetryViewCliCommandCount = std::size(TelemetryViewCliCommands);
