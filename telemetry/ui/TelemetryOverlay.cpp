#include "telemetry/ui/TelemetryOverlay.h"

#include "skin/SkinColours.h"
#include "telemetry/display/SpeedReadout.h"
#include "telemetry/display/TrackOutline.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int Margin = 12;
constexpr QRect SpeedRect{Margin, 6, TelemetryOverlay::Width - 2 * Margin, 50};
constexpr int LaneHeight = 34;
constexpr QRect GraphRect{Margin + 14, 62, TelemetryOverlay::Width - 2 * Margin - 14,
                          3 * LaneHeight};
constexpr int MapHeight = 190;
constexpr QRect MapRect{Margin, GraphRect.bottom() + 1 + Margin,
                        TelemetryOverlay::Width - 2 * Margin, MapHeight};
constexpr QColor Panel{16, 16, 16, 170};

int HeightFor(bool withMap) {
    return (withMap ? MapRect.bottom() : GraphRect.bottom()) + 1 + Margin;
}

void DrawCurves(QPainter& painter, const QList<GSensorSample>& samples, qint64 durationMs) {
    painter.setFont([&] {
        QFont font = painter.font();
        font.setPixelSize(11);
        return font;
    }());
    int lane = 0;
    for (auto [letter, axis] :
         {std::pair{"X", &GSensorSample::x}, {"Y", &GSensorSample::y}, {"Z", &GSensorSample::z}}) {
        const double baseline = GraphRect.top() + (lane++ + 0.5) * LaneHeight;
        painter.setPen(SkinColour::Text);
        painter.drawText(QRectF(Margin, baseline - 7, 12, 14), Qt::AlignCenter,
                         QLatin1String(letter));
        painter.setPen(QPen(QColor(255, 255, 255, 50), 1, Qt::DashLine));
        painter.drawLine(QPointF(GraphRect.left(), baseline), QPointF(GraphRect.right(), baseline));
        if (samples.isEmpty() || durationMs <= 0)
            continue;
        const double unit = (LaneHeight / 2.0 - 2) / GSensorSample::Limit;
        QPainterPath curve;
        for (const GSensorSample& sample : samples) {
            const QPointF point(GraphRect.left() + GraphRect.width() *
                                                       std::min<double>(sample.offset, durationMs) /
                                                       double(durationMs),
                                baseline - sample.*axis * unit);
            if (curve.elementCount() == 0)
                curve.moveTo(point);
            else
                curve.lineTo(point);
        }
        painter.setPen(QPen(SkinColour::Signal, 1.5));
        painter.drawPath(curve);
    }
}

void DrawTrack(QPainter& painter, const QList<QPointF>& track) {
    painter.fillRect(MapRect, QColor(0, 0, 0, 90));
    painter.setPen(QPen(SkinColour::Text, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(track.constData(), int(track.size()));
}

} // namespace

TelemetryOverlay::TelemetryOverlay(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TelemetryOverlay"));
    // The video under it stays the pointer's: full screen's bars follow the pointer there.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(Width, HeightFor(false));
    hide();
}

void TelemetryOverlay::ShowRecording(const RecordingTelemetry& telemetry, qint64 durationMs) {
    m_durationMs = durationMs;
    // The marker needs room to stand on the track's ends.
    m_track = TrackOutline::Fit(telemetry.Fixes(), QRectF(MapRect).adjusted(10, 10, -10, -10));
    resize(Width, HeightFor(ShowsTrack()));
    m_base = QPixmap(size());
    m_base.fill(Qt::transparent);
    QPainter painter(&m_base);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Panel);
    painter.drawRoundedRect(rect(), 8, 8);
    DrawCurves(painter, telemetry.Samples(), durationMs);
    if (ShowsTrack())
        DrawTrack(painter, m_track);
    Clear();
}

void TelemetryOverlay::ShowPosition(const RecordingTelemetry& telemetry, qint64 positionMs) {
    const int cursorX =
        m_durationMs > 0
            ? GraphRect.left() + int(GraphRect.width() *
                                     std::clamp<qint64>(positionMs, 0, m_durationMs) / m_durationMs)
            : -1;
    QString speedText = m_speedText;
    std::optional<QPointF> marker = m_marker;
    if (const std::optional<int> index = telemetry.FindFix(quint32(positionMs));
        index && *index < m_track.size())
        marker = m_track[*index];
    if (const std::optional<int> speed = SpeedReadout::SpeedAt(telemetry, quint32(positionMs)))
        speedText = telemetry.FixCount() > 0 ? QString::number(*speed) : QString();
    if (cursorX == m_cursorX && speedText == m_speedText && marker == m_marker)
        return;
    m_cursorX = cursorX;
    m_speedText = speedText;
    m_marker = marker;
    update();
}

void TelemetryOverlay::Clear() {
    m_cursorX = -1;
    m_speedText.clear();
    m_marker.reset();
    update();
}

void TelemetryOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_base);
    QFont font = painter.font();
    font.setPixelSize(40);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(SkinColour::Text);
    const QString speed = m_speedText.isEmpty() ? QStringLiteral("---") : m_speedText;
    QRect digits = painter.boundingRect(SpeedRect, Qt::AlignLeft | Qt::AlignVCenter, speed);
    painter.drawText(digits, Qt::AlignLeft | Qt::AlignVCenter, speed);
    font.setPixelSize(16);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(SpeedRect.adjusted(digits.width() + 8, 0, 0, -8),
                     Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("km/h"));
    if (m_cursorX >= 0)
        painter.fillRect(m_cursorX, GraphRect.top(), 1, GraphRect.height(), Qt::white);
    if (m_marker) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(SkinColour::Signal);
        painter.drawEllipse(*m_marker, 6, 6);
    }
}
