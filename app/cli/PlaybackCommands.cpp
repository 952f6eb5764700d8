#include "app/MainWindowLayout.h"
#include "app/cli/CliCommand.h"
#include "playback/ImageFile.h"
#include "playback/MediaTime.h"
#include "playback/Mp4Reference.h"
#include "playback/PictureWait.h"
#include "playback/PlaybackEngine.h"
#include "playback/SnapshotName.h"
#include "playback/VolumeWord.h"

#include <QEventLoop>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

namespace {

// Pictures are made at the size of the main window's video area.
const QSize VideoAreaSize = MainWindowLayout::WindowedVideoRect().size();
constexpr int PositionPrintMs = 200;
constexpr int SeekTimeoutMs = 10000;

bool OpenOrSay(PlaybackEngine& player, const QString& path) {
    if (player.Open(path))
        return true;
    PrintError(QStringLiteral("cannot play %1: %2").arg(path, player.LastError()));
    return false;
}

int ToInt(const QString& text, int low, int high) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        throw UsageError{};
    return value;
}

int Probe(const QStringList& argsIn) {
    QStringList args = argsIn;
    ExpectPositional(args, 1);
    PlaybackEngine player(nullptr);
    player.Attach(VideoAreaSize);
    const int check = player.CheckFilters();
    if (!OpenOrSay(player, args[0]))
        return 1;
    const MediaInfo& info = *player.Info();
    QJsonObject video{{"width", info.video.width},
                      {"height", info.video.height},
                      {"codec", info.video.codec},
                      {"frame_rate", info.video.frameRate}};
    QJsonValue audio = QJsonValue::Null;
    if (info.audio)
        audio = QJsonObject{{"codec", info.audio->codec},
                            {"sample_rate", info.audio->sampleRate},
                            {"channels", info.audio->channels}};
    // A length the file does not tell is null, not 0.
    const qint64 duration = player.DurationMs();
    const QJsonObject probe{{"duration_ms", duration > 0 ? QJsonValue(duration) : QJsonValue()},
                            {"check", check},
                            {"video", video},
                            {"audio", audio}};
    PrintLine(QString::fromUtf8(QJsonDocument(probe).toJson(QJsonDocument::Compact)));
    return 0;
}

// Shows the picture at `ms`; false, having said why, when there is none to grab there.
bool ShowPictureAt(PlaybackEngine& player, int ms) {
    if (player.DurationMs() > 0 && ms > player.DurationMs()) {
        PrintError(
            QStringLiteral("%1 ms lies beyond the end (%2 ms)").arg(ms).arg(player.DurationMs()));
        return false;
    }
    player.SeekMs(ms);
    player.Pause();
    if (!WaitForShownPicture(*player.Graph(), SeekTimeoutMs)) {
        PrintError(QStringLiteral("cannot grab a picture at %1 ms: none came within %2 s")
                       .arg(ms)
                       .arg(SeekTimeoutMs / 1000));
        return false;
    }
    const qint64 shownMs = player.Graph()->ShownPosition() / MediaTime::UnitsPerMs;
    if (shownMs > ms) {
        PrintError(QStringLiteral("cannot grab a picture at %1 ms: the first one that could be "
                                  "decoded there starts at %2 ms")
                       .arg(ms)
                       .arg(shownMs));
        return false;
    }
    return true;
}

// Shows frame `number` (0 the first) in presentation order, counted one step at a time so that
// every frame counts whatever its time says; false, having said why, past the last frame.
bool ShowFrameNumber(PlaybackEngine& player, int number) {
    player.Pause();
    PlaybackGraph& graph = *player.Graph();
    for (int shown = 0; shown < number; ++shown) {
        const qint64 from = graph.ShownPosition();
        if (!player.StepFrame(+1) || !WaitForShownPicture(graph, SeekTimeoutMs)) {
            PrintError(QStringLiteral("cannot grab frame %1: the frame after frame %2 did not "
                                      "come within %3 s")
                           .arg(number)
                           .arg(shown)
                           .arg(SeekTimeoutMs / 1000));
            return false;
        }
        if (graph.ShownPosition() == from) {
            PrintError(QStringLiteral("frame %1 lies beyond the last frame (frame %2)")
                           .arg(number)
                           .arg(shown));
            return false;
        }
    }
    return true;
}

int Grab(const QStringList& argsIn) {
    QStringList args = argsIn;
    const QString at = TakeOption(args, QStringLiteral("--at"));
    const QString frameNumber = TakeOption(args, QStringLiteral("--frame"));
    const QString out = TakeOption(args, QStringLiteral("-o"));
    ExpectPositional(args, 1);
    if (at.isEmpty() == frameNumber.isEmpty() || out.isEmpty())
        throw UsageError{};
    const int limit = std::numeric_limits<int>::max();
    const int ms = at.isEmpty() ? 0 : ToInt(at, 0, limit);
    const int number = frameNumber.isEmpty() ? 0 : ToInt(frameNumber, 0, limit);
    const QString what = at.isEmpty() ? QStringLiteral("frame %1").arg(number)
                                      : QStringLiteral("a picture at %1 ms").arg(ms);
    PlaybackEngine player(nullptr);
    player.Attach(VideoAreaSize);
    if (!OpenOrSay(player, args[0]))
        return 1;
    if (!(at.isEmpty() ? ShowFrameNumber(player, number) : ShowPictureAt(player, ms)))
        return 1;
    QImage frame;
    if (!player.GrabFrame(frame)) {
        PrintError(QStringLiteral("cannot grab %1: none could be decoded").arg(what));
        return 1;
    }
    if (const QString failure = WriteImageFile(out, frame, "JPEG"); !failure.isEmpty()) {
        PrintError(failure);
        return 1;
    }
    return 0;
}

int Play(const QStringList& argsIn) {
    QStringList args = argsIn;
    const QString rate = TakeOption(args, QStringLiteral("--rate"));
    const QString volume = TakeOption(args, QStringLiteral("--volume"));
    const QString reference = TakeOption(args, QStringLiteral("--reference"));
    ExpectPositional(args, 1);
    bool rateOk = true;
    const float rateValue = rate.isEmpty() ? 1.0f : rate.toFloat(&rateOk);
    if (!rateOk || !(rateValue > 0))
        throw UsageError{};
    const int slider = volume.isEmpty() ? DefaultVolumeSlider : ToInt(volume, 0, 99);

    SetMp4Reference(args[0], reference);
    PlaybackEngine player;
    player.SetVolume(VolumeWordFromSlider(slider));
    player.Attach(VideoAreaSize);
    if (!OpenOrSay(player, args[0]))
        return 1;
    // A recording the camera did not finish: what was rebuilt and whether its sound was lost.
    if (const QString& note = player.Info()->repairNote; !note.isEmpty())
        PrintError(note);
    player.Graph()->SetRate(rateValue);
    if (!player.Play()) {
        PrintError(QStringLiteral("cannot play %1: it does not start").arg(args[0]));
        return 1;
    }
    QEventLoop loop;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        PrintLine(QString::number(player.PositionMs()));
        // Also where the file does not tell its length.
        if (player.Graph()->Ended())
            loop.quit();
    });
    tick.start(PositionPrintMs);
    loop.exec();
    // A file whose pictures all fail to decode runs its clock to the end all the same.
    QImage shown;
    if (!player.GrabFrame(shown)) {
        PrintError(QStringLiteral("cannot play %1: no picture could be decoded").arg(args[0]));
        return 1;
    }
    return 0;
}

int PrintSnapshotName(const QStringList& args) {
    ExpectPositional(args, 2);
    PrintLine(SuggestSnapshotName(args[0], args[1]));
    return 0;
}

} // namespace

const CliCommand PlaybackCliCommands[] = {
    {"probe", "probe FILE", Probe},
    {"grab", "grab FILE (--at MS | --frame N) -o OUT.jpg", Grab},
    {"play", "play FILE [--rate R] [--volume P] [--reference GOOD.MP4]", Play},
    {"snapshot-name", "snapshot-name FOLDER RECORDING_NAME", PrintSnapshotName},
};
const int PlaybackCliCommandCount = std::size(PlaybackCliCommands);
