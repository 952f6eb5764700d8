#include "incident/FrameOverlay.h"

#include "telemetry/TelemetryExport.h"

#include <QFont>
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

void DrawFrameOverlay(QImage& picture, const FrameOverlay& overlay) {
    const QStringList lines = {
        overlay.cameraTime,
        QStringLiteral("GPS %1 UTC").arg(overlay.gpsUtc),
        QStringLiteral("%1 %2").arg(overlay.speed, overlay.unit),
        QStringLiteral("G x %1  y %2  z %3").arg(overlay.gx, overlay.gy, overlay.gz),
        QStringLiteral("%1, %2").arg(overlay.latitude, overlay.longitude),
    };
    QPainter painter(&picture);
    QFont font(QStringLiteral("Noto Sans"));
    font.setPixelSize(std::max(8, picture.height() / 24));
    font.setBold(true);
    painter.setFont(font);
    const int lineHeight = painter.fontMetrics().height();
    const int margin = std::max(2, picture.height() / 60);
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, painter.fontMetrics().horizontalAdvance(line));
    const QRect box(margin, margin, width + 2 * margin, lineHeight * int(lines.size()) + margin);
    painter.fillRect(box, QColor(0, 0, 0, 150));
    painter.setPen(Qt::white);
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(
            QPoint(2 * margin, margin + i * lineHeight + painter.fontMetrics().ascent()), lines[i]);
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
