#include "tests/incident/IncidentCard.h"

#include "tools/democard/FrameCode.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QtEndian>

namespace IncidentCard {

namespace {

constexpr QSize FrameSize(320, 180);

QString WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return "cannot write " + path;
    return {};
}

QString WriteVideo(const QString& path, int recording) {
    const bool mp4 = path.endsWith(".MP4");
    QStringList args = {
        "-hide_banner", "-loglevel",
        "error",        "-y",
        "-f",           "rawvideo",
        "-pix_fmt",     "bgra",
        "-s",           "320x180",
        "-r",           QString::number(FramesPerSecond),
        "-i",           "-",
        "-f",           "lavfi",
        "-i",           QString("sine=frequency=440:sample_rate=48000:duration=%1").arg(Seconds),
        "-c:v",         "libx264",
        "-preset",      "ultrafast",
        "-g",           "10",
        "-pix_fmt",     "yuv420p",
        "-c:a",         mp4 ? "aac" : "pcm_s16le",
        "-shortest"};
    if (recording == 0)
        args << "-bf"
             << "2"
             << "-preset"
             << "fast";
    args << path;
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", args);
    if (!ffmpeg.waitForStarted())
        return "cannot start ffmpeg";
    for (int frame = 0; frame < Seconds * FramesPerSecond; ++frame) {
        QImage image(FrameSize, QImage::Format_ARGB32);
        image.fill(QColor::fromHsv((recording * 100 + frame * 7) % 360, 120, 150));
        FrameCode::Draw(image, 100 * recording + frame);
        ffmpeg.write(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        ffmpeg.waitForBytesWritten(-1);
    }
    ffmpeg.closeWriteChannel();
    if (!ffmpeg.waitForFinished(120000) || ffmpeg.exitCode() != 0)
        return "ffmpeg failed: " + QString::fromLocal8Bit(ffmpeg.readAllStandardError());
    return {};
}

QByteArray Sentence(const QByteArray& body) {
    quint8 sum = 0;
    for (char c : body)
        sum ^= quint8(c);
    return '$' + body + '*' + QByteArray::number(sum, 16).toUpper().rightJustified(2, '0');
}

QByteArray Gps(int recording) {
    QByteArray text = "QX5 GPS LOG\r\nVERSION 1.0\r\nSTART\r\n";
    for (int second = 0; second < Seconds; ++second) {
        // UTC is the camera's time minus nine hours.
        const QDateTime utc = Start.addSecs(recording * Seconds + second - 9 * 3600);
        const QByteArray body = QString("GPRMC,%1.000,A,3733.%2,N,12658.%3,E,%4,45.0,%5,,,A")
                                    .arg(utc.toString("HHmmss"))
                                    .arg(1000 + recording * 300 + second * 100)
                                    .arg(2000 + recording * 300 + second * 100)
                                    .arg(SpeedKnots(recording, second), 0, 'f', 1)
                                    .arg(utc.toString("ddMMyy"))
                                    .toLatin1();
        text += QByteArray::number(second * 1000 + FixDelayMs) + ':' + Sentence(body) + "\r\n";
    }
    return text;
}

QByteArray Gsf(int recording) {
    QByteArray bytes(524, '\0');
    for (int tenth = 0; tenth < Seconds * 10; ++tenth) {
        char record[32] = {};
        qToLittleEndian<quint32>(quint32(tenth * 100), record);
        qToLittleEndian<qint32>(10 * recording + tenth, record + 8);
        qToLittleEndian<qint32>(-5, record + 12);
        qToLittleEndian<qint32>(20, record + 16);
        bytes.append(record, 32);
    }
    return bytes;
}

} // namespace

double SpeedKnots(int recording, int second) {
    return 10.0 * (recording * Seconds + second + 1);
}

QString ShownSpeed(int recording, int second, bool milesPerHour) {
    const double kmh = double(float(SpeedKnots(recording, second) * 1.852));
    return QString::number(qint64(milesPerHour ? kmh / 1.609344 : kmh));
}

QString RecordingName(int recording) {
    return Start.addSecs(recording * Seconds).toString("yyyyMMdd_HHmmss") +
           (recording == 1 ? "_NOR.AVI" : "_NOR.MP4");
}

QString Write(const QString& root) {
    const QDir card(root);
    if (!card.mkpath("Recordings") || !card.mkpath("Config"))
        return "cannot create " + root;
    for (int recording = 0; recording < Recordings; ++recording) {
        const QString video = card.filePath("Recordings/" + RecordingName(recording));
        QString error = WriteVideo(video, recording);
        if (error.isEmpty())
            error = WriteFile(video.chopped(3) + "gps", Gps(recording));
        if (error.isEmpty())
            error = WriteFile(video.chopped(3) + "gsf", Gsf(recording));
        if (!error.isEmpty())
            return error;
    }
    return WriteFile(card.filePath("Config/setting.ini"),
                     "vk_gps_sync_time=1\r\nvk_gps_timezone=900\r\nvk_audio_enable=1\r\n"
                     "vk_fw_version=1.02.07\r\n");
}

} // namespace IncidentCard
