#include "playback/RepairedMp4File.h"

#include "common/NativePath.h"
#include "common/WholeFileWriter.h"
#include "playback/CutMp4.h"
#include "playback/UnfinishedMp4.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr qint64 CopyBlock = 4 * 1024 * 1024;

} // namespace

QString SaveRepairedMp4(const QString& cutPath, const QString& outPath, QString& recovered) {
    QFile cut;
    if (!OpenNativeForReading(cut, cutPath, QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(cutPath, cut.errorString());
    const QString unfinished = UnfinishedMp4Reason(cut);
    if (unfinished.isEmpty())
        return QStringLiteral("%1 is no MP4 the camera left unfinished: there is nothing to repair")
            .arg(cutPath);
    const QFileInfo out(outPath);
    if (out.exists() && out.canonicalFilePath() == QFileInfo(cutPath).canonicalFilePath())
        return QStringLiteral("the repaired file must not replace the recording itself");
    const std::atomic<bool> never = false;
    const Mp4RepairCheck check = RepairCutMp4(cut, cutPath, never);
    if (!check.repair)
        return QStringLiteral("cannot repair %1: %2, and %3").arg(cutPath, unfinished, check.error);
    const Mp4Repair& repair = *check.repair;
    WholeFileWriter writer(outPath);
    QByteArray block;
    for (qint64 at = 0; at < repair.Size() && writer.Error().isEmpty(); at += block.size()) {
        block.resize(std::min(CopyBlock, repair.Size() - at));
        if (repair.Read(cut, at, block.data(), block.size()) != block.size())
            return QStringLiteral("cannot read %1: %2").arg(cutPath, cut.errorString());
        writer.Write(block);
    }
    if (!writer.Commit())
        return writer.Error();
    recovered = repair.Summary();
    return {};
}
