#include "playback/FfmpegLog.h"

#include "common/LogCategories.h"

#include <cstdarg>
#include <mutex>

extern "C" {
#include <libavutil/error.h>
#include <libavutil/log.h>
}

namespace {

void LogLine(void* context, int level, const char* format, va_list args) {
    const bool warning = level <= AV_LOG_WARNING;
    if (warning ? !lcPlayback().isInfoEnabled() : !lcPlayback().isDebugEnabled())
        return;
    char line[1024];
    int printPrefix = 1;
    av_log_format_line2(context, level, format, args, line, sizeof line, &printPrefix);
    const QByteArray text = QByteArray(line).trimmed();
    if (text.isEmpty())
        return;
    if (warning)
        qCInfo(lcPlayback, "ffmpeg: %s", text.constData());
    else
        qCDebug(lcPlayback, "ffmpeg: %s", text.constData());
}

} // namespace

void RouteFfmpegLog() {
    static std::once_flag routed;
    std::call_once(routed, [] {
        av_log_set_level(AV_LOG_VERBOSE);
        av_log_set_callback(&LogLine);
    });
}

QString FfmpegErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}
