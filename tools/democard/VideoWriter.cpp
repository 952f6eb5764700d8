#include "tools/democard/VideoWriter.h"

#include "tools/democard/FrameCode.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QProcess>
#include <cmath>

namespace {

// A road seen through the windscreen: a sky whose colour changes every second (a clue for a
// person stepping through), the road with lane marks rushing by, and the camera's own overlay.
void DrawRoad(QPainter& painter, QSize size, int frame, int framesPerSecond) {
    const int horizon = size.height() * 2 / 5;
    const int second = frame / framesPerSecond;
    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, QColor::fromHsv((second * 47) % 360, 110, 120));
    sky.setColorAt(1, QColor::fromHsv((second * 47) % 360, 50, 170));
    painter.fillRect(0, 0, size.width(), horizon, sky);
    painter.fillRect(0, horizon, size.width(), size.height() - horizon, QColor(58, 66, 52));

    const double centre = size.width() / 2.0;
    const double depth = size.height() - horizon;
    const QPolygonF road{{centre - size.width() * 0.03, double(horizon)},
                         {centre + size.width() * 0.03, double(horizon)},
                         {centre + size.width() * 0.55, double(size.height())},
                         {centre - size.width() * 0.55, double(size.height())}};
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(72, 72, 78));
    painter.drawPolygon(road);

    // Lane marks in perspective, nearer ones lower, wider and faster.
    painter.setBrush(QColor(190, 190, 180));
    constexpr int Marks = 6;
    for (int mark = 0; mark < Marks; ++mark) {
        const double near = std::fmod(double(mark) / Marks + frame * 0.015, 1.0);
        const double far = std::max(0.0, near - 0.07);
        auto at = [&](double t, double side) {
            return QPointF(centre + side * (0.004 + 0.012 * t) * size.width(),
                           horizon + depth * t * t);
        };
        painter.drawPolygon(QPolygonF{at(far, -1), at(far, 1), at(near, 1), at(near, -1)});
    }
}

void DrawOverlay(QPainter& painter, QSize size, const DemoRecording& recording, int frame,
                 int framesPerSecond) {
    QFont font;
    font.setPixelSize(std::max(7, size.height() / 18));
    font.setBold(true);
    painter.setFont(font);
    const int margin = size.height() / 30;
    const QRect top(margin, margin, size.width() - 2 * margin, size.height() / 6);
    const QDateTime now = recording.localStart.addMSecs(qint64(frame) * 1000 / framesPerSecond);
    painter.setPen(QColor(0, 0, 0, 160));
    painter.drawText(top.translated(1, 1), Qt::AlignLeft | Qt::AlignTop,
                     now.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
    painter.setPen(Qt::white);
    painter.drawText(top, Qt::AlignLeft | Qt::AlignTop,
                     now.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
    painter.drawText(top, Qt::AlignRight | Qt::AlignTop,
                     QStringLiteral("QX5  ") + recording.name.mid(16, 3));

    // The recording's name and the frame counter, for people and tests alike.
    font.setBold(false);
    font.setPixelSize(std::max(7, size.height() / 16));
    painter.setFont(font);
    const QRect label(0, size.height() / 5, size.width(), size.height() / 4);
    painter.fillRect(label.adjusted(size.width() / 5, 0, -size.width() / 5, 0),
                     QColor(0, 0, 0, 90));
    painter.drawText(label, Qt::AlignCenter,
                     QStringLiteral("%1\nframe %2").arg(recording.name).arg(frame));
}

QImage DrawFrame(const DemoRecording& recording, const DemoCardOptions& options, int frame) {
    QImage image(options.frameSize, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawRoad(painter, image.size(), frame, options.framesPerSecond);
    DrawOverlay(painter, image.size(), recording, frame, options.framesPerSecond);
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
    QStringList args{
        QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"),
        QStringLiteral("-y"),
        // picture from our pipe
        QStringLiteral("-f"), QStringLiteral("rawvideo"), QStringLiteral("-pix_fmt"),
        QStringLiteral("bgra"), QStringLiteral("-s"), size, QStringLiteral("-r"), rate,
        QStringLiteral("-i"), QStringLiteral("-"),
        // sound: a steady tone the sound tests listen for
        QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
        QStringLiteral("sine=frequency=440:sample_rate=48000:duration=%1").arg(options.seconds),
        QStringLiteral("-ac"), QStringLiteral("2"), QStringLiteral("-c:v"),
        QStringLiteral("libx264"), QStringLiteral("-preset"), QStringLiteral("ultrafast"),
        QStringLiteral("-g"), rate, QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"),
        QStringLiteral("-c:a"),
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
