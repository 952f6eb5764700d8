#include "incident/FrameOverlay.h"

#include "telemetry/TelemetryExport.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

constexpr double KilometresPerMile = 1.609344;
const QString Missing = QStringLiteral("-");

// A name with a comma or a quote is quoted, as CSV readers expect.
QString CsvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"'))
        return text;
    return u'"' + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

QString Degrees(double nmeaValue) {
    return QString::number(DecimalDegrees(nmeaValue), 'f', 5);
}

} // namespace

FrameOverlay MakeFrameOverlay(const TelemetryMoment& moment, SpeedUnit unit) {
    FrameOverlay overlay{moment.cameraTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")),
                         Missing,
                         Missing,
                         unit == SpeedUnit::MilesPerHour ? QStringLiteral("mph")
                                                         : QStringLiteral("km/h"),
                         Missing,
                         Missing,
                         Missing,
                         Missing,
                         Missing};
    if (moment.fix) {
        if (const std::optional<QDateTime> utc = FixUtc(*moment.fix))
            overlay.gpsUtc = utc->toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        const double speed = unit == SpeedUnit::MilesPerHour ? moment.fix->speed / KilometresPerMile
                                                             : moment.fix->speed;
        overlay.speed = QString::number(qint64(speed));
        overlay.latitude = Degrees(moment.fix->latitude);
        overlay.longitude = Degrees(moment.fix->longitude);
    }
    if (moment.sample) {
        overlay.gx = QString::number(moment.sample->x);
        overlay.gy = QString::number(moment.sample->y);
        overlay.gz = QString::number(moment.sample->z);
    }
    return overlay;
}

QImage RenderFrameOverlay(const FrameOverlay& overlay, QSize frameSize) {
    const QStringList lines = {
        overlay.cameraTime,
        QStringLiteral("GPS %1 UTC").arg(overlay.gpsUtc),
        QStringLiteral("%1 %2").arg(overlay.speed, overlay.unit),
        QStringLiteral("G x %1  y %2  z %3").arg(overlay.gx, overlay.gy, overlay.gz),
        QStringLiteral("%1, %2").arg(overlay.latitude, overlay.longitude),
    };
    QFont font(QStringLiteral("Noto Sans"));
    font.setPixelSize(std::max(8, frameSize.height() / 24));
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int margin = std::max(2, frameSize.height() / 60);
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const QRect box(margin, margin, width + 2 * margin,
                    metrics.height() * int(lines.size()) + margin);
    QImage image(box.bottomRight().x() + 1, box.bottomRight().y() + 1,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(font);
    painter.fillRect(box, QColor(0, 0, 0, 150));
    painter.setPen(Qt::white);
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(QPoint(2 * margin, margin + i * metrics.height() + metrics.ascent()),
                         lines[i]);
    return image;
}

QByteArray OverlayCsvHeader() {
    return "frame,clip_ms,recording,position_ms,camera_time,gps_utc,speed,unit,gx,gy,gz,"
           "latitude,longitude\n";
}

QByteArray OverlayCsvLine(int frame, qint64 clipMs, const QString& recording, qint64 positionMs,
                          const FrameOverlay& overlay) {
    const QStringList fields = {QString::number(frame),
                                QString::number(clipMs),
                                CsvField(recording),
                                QString::number(positionMs),
                                overlay.cameraTime,
                                overlay.gpsUtc,
                                overlay.speed,
                                overlay.unit,
                                overlay.gx,
                                overlay.gy,
                                overlay.gz,
                                overlay.latitude,
                                overlay.longitude};
    return fields.join(u',').toUtf8() + '\n';
}
