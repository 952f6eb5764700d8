#include "telemetry/GpsFile.h"

#include "common/DecimalText.h"
#include "telemetry/RmcSentence.h"

#include <QIODevice>
#include <cstring>

namespace {

constexpr int HeaderLines = 3;
// Room for a full sentence behind any offset the device writes; a line that does not fit holds
// a sentence too long for the parser anyway.
constexpr qint64 LineBufferSize = 4096;

// The next line of the file without its line end, or false at the end of the file. A line longer
// than the buffer is read to its end and comes back empty with `tooLong` set.
bool NextLine(QIODevice& file, char* buffer, std::string_view& line, bool& tooLong) {
    qint64 length = file.readLine(buffer, LineBufferSize);
    if (length <= 0)
        return false;
    tooLong = false;
    if (buffer[length - 1] == '\n') {
        --length;
        if (length > 0 && buffer[length - 1] == '\r')
            --length;
    } else if (length == LineBufferSize - 1) {
        tooLong = true;
        while (length == LineBufferSize - 1 && buffer[length - 1] != '\n')
            length = file.readLine(buffer, LineBufferSize);
        length = 0;
    }
    // The line is C text to the device: it ends at a zero byte, such as those a file cut short by
    // a power loss is padded with.
    line = std::string_view(buffer, strnlen(buffer, size_t(length)));
    return true;
}

} // namespace

bool ReadGpsLine(std::string_view line, GpsFix& fix) {
    const size_t colon = line.find(':');
    std::string_view sentence = line;
    int offset = 0;
    if (colon != std::string_view::npos) {
        offset = ReadDecimalInt(line.data(), line.data() + colon);
        sentence = line.substr(colon + 1);
    }
    if (sentence.size() > MaxGpsSentenceLength || !ReadRmcSentence(sentence, fix))
        return false;
    fix.offset = offset;
    return true;
}

QList<GpsFix> ReadGpsFixes(QIODevice& file) {
    QList<GpsFix> fixes;
    char buffer[LineBufferSize];
    std::string_view line;
    bool tooLong = false;
    for (int number = 1; NextLine(file, buffer, line, tooLong); ++number) {
        if (number <= HeaderLines || tooLong)
            continue;
        GpsFix fix;
        if (ReadGpsLine(line, fix) && fix.valid == 1)
            fixes.append(fix);
    }
    return fixes;
}
