#include "incident/IncidentExport.h"

#include "incident/IncidentReport.h"
#include "incident/PackHashes.h"
#include "incident/SpanTelemetry.h"
#include "library/SafeFileCopy.h"
#include "telemetry/TelemetryExport.h"
#include "telemetry/TelemetryFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// Shares of the progress bar: the clip is most of the work.
constexpr double OriginalsShare = 0.1;
constexpr double ClipShare = 0.8;

QString CopyOriginals(const QList<SpanRecording>& recordings, const QDir& pack,
                      const std::atomic<bool>& cancel) {
    if (!pack.mkdir(QStringLiteral("originals")))
        return QStringLiteral("cannot create %1").arg(pack.filePath(QStringLiteral("originals")));
    const QDir originals(pack.filePath(QStringLiteral("originals")));
    for (const SpanRecording& recording : recordings) {
        QStringList sources{recording.path};
        for (QLatin1StringView ending : {GpsEnding, GsfEnding})
            if (QString telemetry = FindTelemetryFile(recording.path, ending); !telemetry.isEmpty())
                sources.append(telemetry);
        for (const QString& source : sources) {
            const CopyResult copied =
                CopyFileSafely(source, originals.filePath(QFileInfo(source).fileName()), false,
                               [&](qint64) { return !cancel; });
            if (copied.status == CopyResult::Cancelled)
                return CancelledText;
            if (copied.status != CopyResult::Copied)
                return copied.error;
        }
    }
    return {};
}

QString WriteTrack(const SpanTelemetry& telemetry, const IncidentRequest& request,
                   const QDir& pack) {
    QList<GpsFix> fixes;
    for (const TimedFix& timed : telemetry.Fixes(request.from, request.to))
        fixes.append(timed.fix);
    const QString name =
        QStringLiteral("%1 to %2").arg(CameraTimeText(request.from), CameraTimeText(request.to));
    return WriteGpxTrack(fixes, name, pack.filePath(QStringLiteral("track.gpx")));
}

QString WritePack(const IncidentRequest& request, const QList<SpanRecording>& recordings,
                  const QDir& pack, const ExportProgress& progress,
                  const std::atomic<bool>& cancel) {
    const auto report = [&](double done) {
        if (progress)
            progress(done);
    };
    if (QString error = CopyOriginals(recordings, pack, cancel); !error.isEmpty())
        return error;
    report(OriginalsShare);
    const SpanTelemetry telemetry(recordings);
    if (QString error = WriteTrack(telemetry, request, pack); !error.isEmpty())
        return error;
    QList<QImage> stills;
    const ClipFiles clip{pack.filePath(QStringLiteral("clip.mp4")),
                         pack.filePath(QStringLiteral("overlay.csv"))};
    if (QString error = WriteClip(
            recordings, telemetry, request.unit, clip, stills,
            [&](double done) { report(OriginalsShare + ClipShare * done); }, cancel);
        !error.isEmpty())
        return error;
    if (cancel)
        return CancelledText;
    const ReportContents contents{request.folderMode ? QString() : request.cardRoot,
                                  request.from,
                                  request.to,
                                  request.unit,
                                  recordings,
                                  &telemetry,
                                  stills};
    if (QString error = WriteIncidentReport(contents, pack.filePath(QStringLiteral("report.pdf")));
        !error.isEmpty())
        return error;
    if (cancel)
        return CancelledText;
    return WriteHashList(pack.path());
}

} // namespace

QString ExportIncident(const IncidentRequest& request, const ExportProgress& progress,
                       const std::atomic<bool>& cancel) {
    const QFileInfo target(request.packFolder);
    if (target.exists() || target.isSymLink())
        return QStringLiteral("%1 already exists").arg(request.packFolder);
    if (!target.dir().exists())
        return QStringLiteral("the folder %1 does not exist").arg(target.dir().path());
    QString error;
    const QList<SpanRecording> recordings =
        FindSpanRecordings(request.cardRoot, request.folderMode, request.from, request.to, error);
    if (recordings.isEmpty())
        return error;
    QTemporaryDir building(target.dir().filePath(QStringLiteral(".karvenna-pack-XXXXXX")));
    if (!building.isValid())
        return QStringLiteral("cannot create a folder in %1: %2")
            .arg(target.dir().path(), building.errorString());
    if (error = WritePack(request, recordings, QDir(building.path()), progress, cancel);
        !error.isEmpty())
        return error;
    // mkdtemp made it private; a pack is meant to be handed on.
    QFile::setPermissions(building.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadGroup | QFile::ExeGroup |
                                               QFile::ReadOther | QFile::ExeOther);
    if (target.exists() || !QDir().rename(building.path(), request.packFolder))
        return QStringLiteral("cannot name the pack %1").arg(request.packFolder);
    if (progress)
        progress(1.0);
    return {};
}
