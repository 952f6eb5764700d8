#include "app/cli/CliCommand.h"
#include "app/cli/TripCommands.h"
#include "telemetry/RecordingTelemetry.h"
#include "telemetry/TelemetryExport.h"
#include "telemetry/TelemetryFiles.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

QJsonObject FixObject(const GpsFix& fix) {
    return {{"year", fix.year},    {"month", fix.month},       {"day", fix.day},
            {"hour", fix.hour},    {"minute", fix.minute},     {"second", fix.second},
            {"valid", fix.valid},  {"latitude", fix.latitude}, {"longitude", fix.longitude},
            {"speed", fix.speed},  {"course", fix.course},     {"timeStamp", qint64(fix.timeStamp)},
            {"offset", fix.offset}};
}

QJsonObject SampleObject(const GSensorSample& sample) {
    return {{"x", sample.x}, {"y", sample.y}, {"z", sample.z}, {"offset", qint64(sample.offset)}};
}

// The whole telemetry on one line: a ten-hour recording holds a few hundred thousand samples.
void PrintTelemetryJson(const RecordingTelemetry& telemetry) {
    QJsonArray fixes;
    for (const GpsFix& fix : telemetry.Fixes())
        fixes.append(FixObject(fix));
    QJsonArray samples;
    for (const GSensorSample& sample : telemetry.Samples())
        samples.append(SampleObject(sample));
    const QByteArray json = QJsonDocument(QJsonObject{{"fixes", fixes}, {"samples", samples}})
                                .toJson(QJsonDocument::Compact) +
                            '\n';
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
}

int PrintTelemetry(const QStringList& argsIn) {
    QStringList args = argsIn;
    const QString at = TakeOption(args, QStringLiteral("--at"));
    ExpectPositional(args, 1);
    RecordingTelemetry telemetry;
    telemetry.Load(args[0]);
    if (at.isNull()) {
        PrintTelemetryJson(telemetry);
        return 0;
    }
    bool ok = false;
    const quint32 position = at.toUInt(&ok);
    if (!ok)
        throw UsageError{};
    const std::optional<int> index = telemetry.FindFix(position);
    PrintLine(index ? QStringLiteral("{\"index\": %1}").arg(*index)
                    : QStringLiteral("{\"index\": null}"));
    return 0;
}

int ExportTelemetry(const QStringList& argsIn) {
    QStringList args = argsIn;
    const QString gpx = TakeOption(args, QStringLiteral("--gpx"));
    const QString csv = TakeOption(args, QStringLiteral("--csv"));
    const QString trip = TakeOption(args, QStringLiteral("--trip"));
    ExpectPositional(args, 1);
    if (!trip.isNull()) {
        if (!csv.isEmpty())
            throw UsageError{};
        return ExportTripTrack(args[0], trip, gpx);
    }
    if (gpx.isEmpty() && csv.isEmpty())
        throw UsageError{};
    const QString recording = args[0];
    // A mistyped recording would otherwise give an empty track without a word.
    for (auto [wanted, ending] :
         {std::pair(!gpx.isEmpty(), GpsEnding), {!csv.isEmpty(), GsfEnding}}) {
        if (wanted && FindTelemetryFile(recording, ending).isEmpty()) {
            PrintError(QStringLiteral("no .%1 file beside %2").arg(ending, recording));
            return 1;
        }
    }
    RecordingTelemetry telemetry;
    telemetry.Load(recording);
    QString error;
    if (!gpx.isEmpty())
        error = WriteGpxTrack(telemetry.Fixes(), QFileInfo(recording).completeBaseName(), gpx);
    if (error.isEmpty() && !csv.isEmpty())
        error = WriteGsensorCsv(telemetry.Samples(), csv);
    if (!error.isEmpty()) {
        PrintError(error);
        return 1;
    }
    return 0;
}

} // namespace

const CliCommand TelemetryCliCommands[] = {
    {"telemetry", "telemetry RECORDING [--at MS]", PrintTelemetry},
    {"export", "export RECORDING [--gpx OUT] [--csv OUT] | export ROOT --trip N --gpx OUT",
     ExportTelemetry},
};
const int TelemetryCliCommandCount = std::size(TelemetryCliCommands);
