#include "tests/playback/TestClips.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void Run(const QString& program, const QStringList& args) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, args);
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        ADD_FAILURE() << "failed: " << program.toStdString() << " " << args.join(' ').toStdString();
}

QString Ffmpeg(const QString& out, const QStringList& args) {
    Run("ffmpeg",
        QStringList{"-hide_banner", "-loglevel", "error", "-y"} + args + QStringList{out});
    return out;
}

TestClips Make(const QString& folder) {
    TestClips clips;
    clips.folder = folder;
    const QString card = folder + "/card";
    Run(qEnvironmentVariable("KARVENNA_DEMOCARD"),
        {card, "--days", "1", "--per-day", "2", "--seconds", "4", "--size", "192x108", "--fps",
         "10"});
    const QDir recordings(card + "/Recordings");
    for (const QString& name : recordings.entryList({"*.AVI", "*.MP4"}, QDir::Files)) {
        const QString path = recordings.filePath(name);
        if (QFileInfo(path).size() < 1024)
            continue;
        (name.endsWith("MP4") ? clips.mp4 : clips.avi) = path;
    }
    // libx264's default: two B-frames, shown before the P-frame decoded ahead of them.
    const QStringList bFrames = {"-c:v", "libx264", "-preset", "fast", "-bf",  "2",
                                 "-g",   "10",      "-crf",    "12",   "-c:a", "copy"};
    clips.aviBFrames = Ffmpeg(folder + "/b-frames.AVI", QStringList{"-i", clips.avi} + bFrames);
    clips.mp4BFrames = Ffmpeg(folder + "/b-frames.MP4", QStringList{"-i", clips.mp4} + bFrames);
    // Without the sound, which would outlast the pictures by seconds.
    const QStringList thirtyFps =
        QStringList{"-vf", "settb=1/30,setpts=N", "-r", "30"} + bFrames + QStringList{"-an"};
    clips.aviThirtyFps = Ffmpeg(folder + "/30-fps.AVI", QStringList{"-i", clips.avi} + thirtyFps);
    clips.mp4ThirtyFps = Ffmpeg(folder + "/30-fps.MP4", QStringList{"-i", clips.mp4} + thirtyFps);
    clips.mp4ThirtyFpsLongerSound =
        Ffmpeg(folder + "/30-fps-sound.MP4",
               QStringList{"-i", clips.mp4, "-vf", "settb=1/30,setpts=N", "-r", "30"} + bFrames);
    clips.videoOnly = Ffmpeg(folder + "/video-only.AVI", {"-i", clips.avi, "-an", "-c", "copy"});
    QFile whole(clips.avi);
    whole.open(QIODevice::ReadOnly);
    const QByteArray bytes = whole.readAll();
    clips.truncated = folder + "/truncated.AVI";
    QFile cut(clips.truncated);
    cut.open(QIODevice::WriteOnly);
    cut.write(bytes.left(bytes.size() * 6 / 10));
    // Sound counted in samples makes the length 3.000792 s.
    clips.oddLength = Ffmpeg(folder + "/odd.MP4",
                             {"-f", "lavfi", "-i", "testsrc=size=64x36:rate=10:duration=3", "-f",
                              "lavfi", "-i", "sine=frequency=440:sample_rate=48000:duration=3.0008",
                              "-c:v", "libx264", "-preset", "ultrafast", "-c:a", "pcm_s16le",
                              "-movie_timescale", "48000", "-f", "mov"});
    clips.lateSound = Ffmpeg(folder + "/late-sound.MP4",
                             {"-i", clips.mp4, "-itsoffset", "1.5", "-f", "lavfi", "-i",
                              "sine=frequency=440:sample_rate=48000:duration=2.5", "-map", "0:v",
                              "-map", "1:a", "-c:v", "copy", "-c:a", "aac"});
    clips.noisySound = Ffmpeg(folder + "/noisy-sound.MP4",
                              {"-i", clips.mp4, "-c", "copy", "-bsf:a", "noise=amount=1"});
    return clips;
}

} // namespace

const TestClips& Clips() {
    static QTemporaryDir folder;
    static const TestClips clips = Make(folder.path());
    return clips;
}

QString CopyClip(const QString& source, const QString& name) {
    const QString path = Clips().folder + "/" + name;
    QFile::remove(path);
    QFile::copy(source, path);
    return path;
}
