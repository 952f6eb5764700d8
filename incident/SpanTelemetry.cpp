#include "incident/SpanTelemetry.h"

#include <algorithm>
#include <functional>

namespace {

// The element with the greatest offset at or before `positionMs`; file order need not ascend.
template <typename Item>
std::optional<Item> LastAtOrBefore(const QList<Item>& items, qint64 positionMs) {
    std::optional<Item> best;
    for (const Item& item : items) {
        const qint64 offset = qint64(item.offset);
        if (offset <= positionMs && (!best || offset >= qint64(best->offset)))
            best = item;
    }
    return best;
}

// Each recording's items within its own part of the span, in time order.
template <typename Timed, typename Item>
QList<Timed> Within(const QList<SpanRecording>& recordings, const QDateTime& from,
                    const QDateTime& to, const std::function<const QList<Item>&(int)>& items) {
    QList<Timed> found;
    QDateTime shownUntil = from;
    for (int i = 0; i < recordings.size(); ++i) {
        QList<Timed> own;
        for (const Item& item : items(i)) {
            const QDateTime when = recordings[i].start.addMSecs(qint64(item.offset));
            if (when >= shownUntil && when <= to)
                own.append({when, item});
        }
        std::stable_sort(own.begin(), own.end(), [](const Timed& a, const Timed& b) {
            return a.cameraTime < b.cameraTime;
        });
        found += own;
        shownUntil = std::max(shownUntil, recordings[i].start.addMSecs(recordings[i].lengthMs));
    }
    return found;
}

} // namespace

std::optional<QDateTime> FixUtc(const GpsFix& fix) {
    const QDate date(1900 + (fix.year + 30) % 100 + 70, fix.month, fix.day);
    if (!date.isValid())
        return std::nullopt;
    // The stored hour is the sentence's UTC hour plus 9.
    return QDateTime(date, QTime(0, 0), Qt::UTC)
        .addSecs((fix.hour - 9) * 3600 + fix.minute * 60 + fix.second);
}

SpanTelemetry::SpanTelemetry(const QList<SpanRecording>& recordings) : m_recordings(recordings) {
    m_telemetry.resize(recordings.size());
    for (int i = 0; i < recordings.size(); ++i)
        m_telemetry[i].Load(recordings[i].path);
}

TelemetryMoment SpanTelemetry::At(int recording, qint64 positionMs) const {
    const RecordingTelemetry& telemetry = m_telemetry[recording];
    return {m_recordings[recording].start.addMSecs(positionMs),
            LastAtOrBefore(telemetry.Fixes(), positionMs),
            LastAtOrBefore(telemetry.Samples(), positionMs)};
}

QList<TimedFix> SpanTelemetry::Fixes(const QDateTime& from, const QDateTime& to) const {
    return Within<TimedFix, GpsFix>(m_recordings, from, to, [&](int i) -> const QList<GpsFix>& {
        return m_telemetry[i].Fixes();
    });
}

QList<TimedSample> SpanTelemetry::Samples(const QDateTime& from, const QDateTime& to) const {
    return Within<TimedSample, GSensorSample>(
        m_recordings, from, to,
        [&](int i) -> const QList<GSensorSample>& { return m_telemetry[i].Samples(); });
}
