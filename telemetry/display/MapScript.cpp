#include "telemetry/display/MapScript.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>

namespace MapScript {

double DecimalDegrees(double nmea) {
    const double degrees = nmea * 0.01;
    const double whole = std::trunc(degrees);
    return whole + (degrees - whole) * 100.0 / 60.0;
}

QString DrawCurrentText(const GpsFix& fix) {
    return QString::asprintf("javascript:DrawCurrent('%lf', '%lf','%d')",
                             DecimalDegrees(fix.longitude), DecimalDegrees(fix.latitude), 9);
}

std::optional<int> MapFixIndex(const RecordingTelemetry& telemetry, quint32 positionMs) {
    if (telemetry.FixCount() == 0)
        return std::nullopt;
    const std::optional<int> index = telemetry.FindFix(positionMs);
    if (!index || !telemetry.Fixes()[*index].valid)
        return std::nullopt;
    return index;
}

ScriptCall ParseScriptCall(const QString& text) {
    static const QLatin1StringView Scheme("javascript:");
    QString rest = text;
    if (const qsizetype at = rest.indexOf(Scheme); at >= 0)
        rest = rest.mid(at + Scheme.size());
    ScriptCall call;
    if (const qsizetype open = rest.indexOf(QLatin1Char('(')); open >= 0) {
        call.function = rest.left(open).trimmed();
        rest = rest.mid(open + 1);
    }
    QString token;
    for (const QChar c : rest) {
        if (QStringView(u" ,'\"\t();").contains(c)) {
            if (!token.isEmpty())
                call.arguments << token;
            token.clear();
        } else {
            token += c;
        }
    }
    if (!token.isEmpty())
        call.arguments << token;
    return call;
}

QString CallSource(const ScriptCall& call) {
    // Name and arguments travel as JSON strings, so no text of theirs can become code.
    QJsonArray values{call.function};
    for (const QString& argument : call.arguments)
        values.append(argument);
    return QStringLiteral("(function (call) {"
                          " var f = window[call[0]];"
                          " if (typeof f !== 'function') return '';"
                          " var result = f.apply(window, call.slice(1));"
                          " return result === undefined || result === null ? '' : String(result);"
                          "})(%1)")
        .arg(QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Compact)));
}

QString TrackSource(const QList<TrackPiece>& pieces, int current) {
    QJsonArray points;
    for (int piece = 0; piece < pieces.size(); ++piece)
        for (const GpsFix& fix : pieces[piece].fixes)
            points.append(QJsonArray{DecimalDegrees(fix.latitude), DecimalDegrees(fix.longitude),
                                     pieces[piece].startMs + fix.offset, piece});
    return QStringLiteral("typeof DrawTrack === 'function' && DrawTrack(%1, %2)")
        .arg(QString::fromUtf8(QJsonDocument(points).toJson(QJsonDocument::Compact)))
        .arg(current);
}

QString CurrentPieceSource(int current) {
    return QStringLiteral("typeof ShowCurrentPiece === 'function' && ShowCurrentPiece(%1)")
        .arg(current);
}

} // namespace MapScript
