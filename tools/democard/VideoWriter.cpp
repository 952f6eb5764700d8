#include "tools/democard/VideoWriter.h"

#include "tools/democard/FrameCode.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QProcess>

namespace {

QImage DrawFrame(const DemoRecording& recording, const DemoCardOptions& options, int frame) {
    QImage image(options.frameSize, QImage::Format_ARGB32);
    // A colour per second gives a person watching a second clue besides the counter.
    const int second = frame / options.framesPerSecond;
    image.fill(QColor::fromHsv((second * 47) % 360, 120, 110));
    QPainter painter(&image);
    painter.setPen(Qt::white);
    QFont font;
    font.setPixelSize(std::max(8, options.frameSize.height() / 12));
    painter.setFont(font);
    const QRect textArea(0, 0, image.width(), image.height() * 3 / 4);
    painter.drawText(textArea, Qt::AlignCenter,
                     QStringLiteral("%1\nframe %2").arg(recording.name).arg(frame));
    painter.end();
    FrameCode::Draw(image, frame);
    return image;
}

} // namespace

QString WriteVideo(const QString& path, const DemoRecording& recording,
                   const DemoCardOptions& options) {
    const QString size =
        QStringLiteral("%1x%2").arg(options.frameSize.width()).arg(options.frameSize.height());
    const QString rate = QString::number(options.framesPerSecond);
    QStringList args{QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"),
                     QStringLiteral("error"), QStringLiteral("-y"),
                     // picture from our pipe
                     QStringLiteral("-f"), QStringLiteral("rawvideo"), QStringLiteral("-pix_fmt"),
                     QStringLiteral("bgra"), QStringLiteral("-s"), size, QStringLiteral("-r"), rate,
                     QStringLiteral("-i"), QStringLiteral("-"),
                     // sound: a steady tone the sound tests listen for
                     QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                     QStringLiteral("sine=frequency=440:sample_rate=48000:duration=%1")
                         .arg(options.seconds),
                     QStringLiteral("-ac"), QStringLiteral("2"), QStringLiteral("-c:v"),
                     QStringLiteral("libx264"), QStringLiteral("-preset"),
                     QStringLiteral("ultrafast"), QStringLiteral("-g"), rate,
                     QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"), QStringLiteral("-c:a"),
                     recording.isMp4 ? QStringLiteral("aac") : QStringLiteral("pcm_s16le"),
                     QStringLiteral("-shortest"), path};
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), args);
    if (!ffmpeg.waitForStarted())
        return QStringLiteral("cannot start ffmpeg: %1").arg(ffmpeg.errorString());
    const int frames = options.seconds * options.framesPerSecond;
    for (int frame = 0; frame < frames; ++frame) {
        const QImage image = DrawFrame(recording, options, frame);
        ffmpeg.write(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        while (ffmpeg.bytesToWrite() > 8 * image.sizeInBytes())
            ffmpeg.waitForBytesWritten(-1);
    }
    ffmpeg.closeWriteChannel();
    ffmpeg.waitForFinished(-1);
    if (ffmpeg.exitStatus() != QProcess::NormalExit || ffmpeg.exitCode() != 0)
        return QStringLiteral("ffmpeg failed on %1: %2")
            .arg(path, QString::fromLocal8Bit(ffmpeg.readAllStandardError()));
    return {};
}
