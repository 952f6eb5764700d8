#include "incident/IncidentReport.h"

#include "incident/ReportCharts.h"
#include "settings/CardSettings.h"
#include "settings/SettingsKeys.h"
#include "telemetry/TelemetryExport.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace {

constexpr int Resolution = 150; // dots per inch of the page's drawing
constexpr double KilometresPerMile = 1.609344;
constexpr int Stills = 4;

QString SignedDuration(qint64 seconds) {
    const qint64 whole = std::abs(seconds);
    return QStringLiteral("%1%2:%3:%4")
        .arg(seconds < 0 ? QStringLiteral("-") : QStringLiteral("+"))
        .arg(whole / 3600, 2, 10, QLatin1Char('0'))
        .arg(whole / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(whole % 60, 2, 10, QLatin1Char('0'));
}

QString Place(const GpsFix& fix) {
    return QStringLiteral("%1, %2")
        .arg(DecimalDegrees(fix.latitude), 0, 'f', 5)
        .arg(DecimalDegrees(fix.longitude), 0, 'f', 5);
}

// The card's time-zone setting in minutes east of UTC; nullopt without a settings file.
std::optional<int> CardZoneMinutes(const CardSettings& settings, bool read) {
    if (!read)
        return std::nullopt;
    const int code = settings.Record(SettingsSlot::First).vk_gps_timezone;
    const int sign = code < 0 ? -1 : 1;
    return sign * (std::abs(code) / 100 * 60 + std::abs(code) % 100);
}

QStringList SettingsLines(const SettingsRecord& record) {
    QStringList lines;
    for (const SettingKey& key : SettingsKeys()) {
        // The Wi-Fi password has nothing to tell about an incident.
        if (key.rule == KeyRule::Password || key.rule == KeyRule::PasswordFlag)
            continue;
        const QString value = std::visit(
            [&](auto field) {
                const auto& held = record.*field;
                if constexpr (std::is_same_v<std::decay_t<decltype(held)>, QString>)
                    return held;
                else
                    return QString::number(held);
            },
            key.field);
        lines.append(
            QStringLiteral("%1 = %2").arg(QLatin1String(key.name.data(), key.name.size()), value));
    }
    return lines;
}

class ReportPage {
public:
    explicit ReportPage(QPdfWriter& writer) : m_writer(writer), m_painter(&writer) {
        m_width = writer.width();
        SetFont(11, false);
    }
    bool Active() const { return m_painter.isActive(); }
    QPainter& Painter() { return m_painter; }
    double Width() const { return m_width; }
    double& Top() { return m_top; }

    void SetFont(int points, bool bold) {
        QFont font(QStringLiteral("Noto Sans"));
        font.setPointSize(points);
        font.setBold(bold);
        m_painter.setFont(font);
    }
    void Line(const QString& text) {
        m_painter.setPen(Qt::black);
        m_painter.drawText(QPointF(0, m_top + m_painter.fontMetrics().ascent()), text);
        m_top += m_painter.fontMetrics().height() * 1.15;
    }
    void Heading(const QString& text) {
        m_top += m_painter.fontMetrics().height() * 0.5;
        SetFont(13, true);
        Line(text);
        SetFont(10, false);
    }
    void NewPage() {
        m_writer.newPage();
        m_top = 0;
    }

private:
    QPdfWriter& m_writer;
    QPainter m_painter;
    double m_width = 0;
    double m_top = 0;
};

void WriteWhenAndWhere(ReportPage& page, const ReportContents& contents,
                       const QList<TimedFix>& fixes, std::optional<int> zoneMinutes) {
    page.SetFont(18, true);
    page.Line(QStringLiteral("Incident report"));
    page.Heading(QStringLiteral("When"));
    page.Line(QStringLiteral("Camera time: %1 to %2 (%3 s)")
                  .arg(contents.from.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                       contents.to.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                  .arg(contents.from.secsTo(contents.to)));
    const std::optional<qint64> offset = CameraClockOffset(fixes);
    if (offset) {
        page.Line(
            QStringLiteral("GPS time (UTC): %1 to %2")
                .arg(
                    contents.from.addSecs(-*offset).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                    contents.to.addSecs(-*offset).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
        page.Line(QStringLiteral("Camera clock minus GPS time: %1").arg(SignedDuration(*offset)));
        if (zoneMinutes)
            page.Line(QStringLiteral("Time zone set on the camera: %1, so the camera clock's "
                                     "error was %2")
                          .arg(SignedDuration(qint64(*zoneMinutes) * 60).chopped(3),
                               SignedDuration(*offset - qint64(*zoneMinutes) * 60)));
    } else {
        page.Line(QStringLiteral("GPS time: no dated GPS fix in the span"));
    }
    page.Heading(QStringLiteral("Where"));
    if (fixes.isEmpty()) {
        page.Line(QStringLiteral("no GPS position in the span"));
    } else {
        page.Line(QStringLiteral("Start: %1").arg(Place(fixes.first().fix)));
        page.Line(QStringLiteral("End: %1").arg(Place(fixes.last().fix)));
    }
    page.Heading(QStringLiteral("Recordings"));
    for (const SpanRecording& recording : contents.recordings)
        page.Line(QStringLiteral("%1   %2 s, starts %3")
                      .arg(QFileInfo(recording.path).fileName())
                      .arg(recording.lengthMs / 1000.0, 0, 'f', 1)
                      .arg(recording.start.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
}

void DrawStills(ReportPage& page, const QList<QImage>& stills) {
    page.Heading(QStringLiteral("Pictures of the clip"));
    const double gap = page.Width() / 60;
    const double width = (page.Width() - gap) / 2;
    double height = 0;
    for (int i = 0; i < std::min<int>(Stills, stills.size()); ++i) {
        const QImage& still = stills[i];
        height = width * still.height() / std::max(1, still.width());
        const QRectF where((i % 2) * (width + gap), page.Top() + (i / 2) * (height + gap), width,
                           height);
        page.Painter().drawImage(where, still);
    }
    page.Top() += 2 * (height + gap);
}

void DrawCurves(ReportPage& page, const ReportContents& contents, const QList<TimedFix>& fixes,
                const QList<TimedSample>& samples) {
    const qint64 spanMs = contents.from.msecsTo(contents.to);
    const bool miles = contents.unit == SpeedUnit::MilesPerHour;
    Curve speed{miles ? QStringLiteral("Speed (mph)") : QStringLiteral("Speed (km/h)"),
                {},
                QColor(200, 40, 20)};
    for (const TimedFix& timed : fixes)
        speed.points.append({double(contents.from.msecsTo(timed.cameraTime)),
                             miles ? timed.fix.speed / KilometresPerMile : timed.fix.speed});
    Curve axes[] = {{QStringLiteral("G-sensor x"), {}, QColor(187, 45, 9)},
                    {QStringLiteral("G-sensor y"), {}, QColor(30, 110, 40)},
                    {QStringLiteral("G-sensor z"), {}, QColor(30, 60, 170)}};
    for (const TimedSample& timed : samples) {
        const double x = double(contents.from.msecsTo(timed.cameraTime));
        axes[0].points.append({x, double(timed.sample.x)});
        axes[1].points.append({x, double(timed.sample.y)});
        axes[2].points.append({x, double(timed.sample.z)});
    }
    page.Heading(QStringLiteral("Speed and G-sensor over the span"));
    const double height = page.Width() / 7;
    const double gap = height / 8;
    for (const Curve& curve : {speed, axes[0], axes[1], axes[2]}) {
        DrawCurve(page.Painter(), QRectF(0, page.Top(), page.Width(), height), curve, spanMs);
        page.Top() += height + gap;
    }
}

} // namespace

std::optional<qint64> CameraClockOffset(const QList<TimedFix>& fixes) {
    QList<qint64> offsets;
    for (const TimedFix& timed : fixes)
        if (const std::optional<QDateTime> utc = FixUtc(timed.fix))
            offsets.append(qRound64(utc->msecsTo(timed.cameraTime) / 1000.0));
    if (offsets.isEmpty())
        return std::nullopt;
    std::sort(offsets.begin(), offsets.end());
    return offsets[offsets.size() / 2];
}

QString WriteIncidentReport(const ReportContents& contents, const QString& path) {
    const QList<TimedFix> fixes = contents.telemetry->Fixes(contents.from, contents.to);
    const QList<TimedSample> samples = contents.telemetry->Samples(contents.from, contents.to);
    CardSettings settings;
    const bool settingsRead =
        !contents.cardRoot.isEmpty() &&
        settings.Read(SettingsSlot::First,
                      QDir(contents.cardRoot).filePath(QStringLiteral("Config/setting.ini"))) !=
            SettingsReadResult::CannotRead;
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(Resolution);
        writer.setTitle(QStringLiteral("Incident report"));
        writer.setCreator(QStringLiteral("VESKA Karvenna"));
        ReportPage page(writer);
        if (!page.Active())
            return QStringLiteral("cannot write %1").arg(path);
        WriteWhenAndWhere(page, contents, fixes, CardZoneMinutes(settings, settingsRead));
        DrawStills(page, contents.stills);
        page.NewPage();
        page.Heading(QStringLiteral("Track"));
        const double side = page.Width() * 0.6;
        DrawTrackMap(page.Painter(), QRectF(0, page.Top(), side, side), fixes);
        page.Top() += side;
        DrawCurves(page, contents, fixes, samples);
        page.NewPage();
        page.Heading(QStringLiteral("Camera settings (Config/setting.ini)"));
        if (contents.cardRoot.isEmpty())
            page.Line(QStringLiteral("unknown: the recordings came from a folder, not a card"));
        else if (!settingsRead)
            page.Line(QStringLiteral("the card holds no readable settings file"));
        for (const QString& line : SettingsLines(settings.Record(SettingsSlot::First)))
            page.Line(line);
    }
    if (QFileInfo(path).size() == 0)
        return QStringLiteral("cannot write %1").arg(path);
    return {};
}
