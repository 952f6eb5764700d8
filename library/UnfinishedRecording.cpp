#include "library/UnfinishedRecording.h"

#include "common/NativePath.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The head of the file read at once; headers beyond it cost a read each.
constexpr qint64 HeadBytes = 512;
// More top-level boxes than a recording has: no box structure, or a damaged one.
constexpr int MaxTopLevelBoxes = 64;

class Head {
public:
    Head(int file, qint64 size) : m_file(file), m_size(size) {
        m_read = ::pread(file, m_bytes, size_t(std::min(size, HeadBytes)), 0);
    }
    qint64 Size() const { return m_size; }
    bool Read(qint64 offset, char* bytes, qint64 length) const {
        if (offset >= 0 && offset + length <= m_read) {
            std::memcpy(bytes, m_bytes + offset, size_t(length));
            return true;
        }
        return ::pread(m_file, bytes, size_t(length), off_t(offset)) == ssize_t(length);
    }

private:
    int m_file;
    qint64 m_size;
    qint64 m_read = 0;
    char m_bytes[HeadBytes];
};

// A camera writes the moov box after the samples, when it stops: a file whose mdat runs to its
// end (or past it) has none. Whatever follows an mdat is taken for the moov, unread, so that a
// finished recording costs one read; a file cut inside its moov is told when it is opened.
bool IsUnfinishedMp4(const Head& head) {
    char header[16];
    qint64 at = 0;
    for (int boxes = 0; at + 8 <= head.Size() && boxes < MaxTopLevelBoxes; ++boxes) {
        if (!head.Read(at, header, 8))
            return false;
        if (boxes == 0 && std::memcmp(header + 4, "ftyp", 4) != 0)
            return false; // no MP4 at all
        qint64 box = qFromBigEndian<quint32>(header);
        if (box == 1) {
            if (!head.Read(at + 8, header + 8, 8))
                return false;
            box = qint64(qFromBigEndian<quint64>(header + 8) & 0x7FFFFFFFFFFFFFFF);
        } else if (box == 0) {
            return true; // runs to the end: the size a camera writes last
        }
        if (box < 8 || at + box > head.Size())
            return true;
        if (std::memcmp(header + 4, "moov", 4) == 0)
            return false;
        if (std::memcmp(header + 4, "mdat", 4) == 0)
            return at + box == head.Size();
        at += box;
    }
    return at > 0;
}

// A camera writes the RIFF size when it stops, after the idx1 index: missing, or larger than the
// file, it tells of a power cut. Less than the file is an extended recording's next part.
bool IsUnfinishedAvi(const Head& head) {
    char header[12];
    if (!head.Read(0, header, 12) || std::memcmp(header, "RIFF", 4) != 0 ||
        std::memcmp(header + 8, "AVI ", 4) != 0)
        return false;
    const qint64 riffEnd = 8 + qint64(qFromLittleEndian<quint32>(header + 4));
    return riffEnd <= 12 || riffEnd > head.Size() + 1;
}

bool HasExtension(const char* name, const char* extension) {
    const size_t length = std::strlen(name);
    return length >= 4 && ::strncasecmp(name + length - 4, extension, 4) == 0;
}

} // namespace

bool IsUnfinishedRecording(const QString& path) {
    const QByteArray name = NativePath(path);
    const bool mp4 = HasExtension(name.constData(), ".MP4");
    if (!mp4 && !HasExtension(name.constData(), ".AVI"))
        return false;
    const int file = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (file < 0)
        return false;
    struct stat status;
    const qint64 size = ::fstat(file, &status) == 0 ? qint64(status.st_size) : 0;
    const Head head(file, size);
    const bool unfinished = mp4 ? IsUnfinishedMp4(head) : IsUnfinishedAvi(head);
    ::close(file);
    return unfinished;
}
