#include "common/NativePath.h"
#include "fuzz/FuzzCheck.h"
#include "library/RecordingCatalogue.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr size_t LongestName = 255;

// A name the file system takes: no '/', no zero byte, not "." or "..", at most 255 bytes.
bool FileSystemName(const QByteArray& name) {
    return !name.isEmpty() && size_t(name.size()) <= LongestName && !name.contains('/') &&
           !name.contains('\0') && name != "." && name != "..";
}

} // namespace

// A file name as a card may hold it, through the name grammar, and through a real folder scan
// whose listed path must name the same file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString name = PathFromNative(bytes);
    FUZZ_CHECK(NativePath(name) == bytes);
    FUZZ_CHECK(DisplayName(name).size() == name.size());
    FUZZ_CHECK(QStringView(DisplayName(name)).isValidUtf16());

    const bool listed = IsListedName(name, QString(), std::nullopt);
    for (RecordingKind kind : {RecordingKind::Normal, RecordingKind::Event, RecordingKind::Motion})
        FUZZ_CHECK(!IsListedName(name, KindCode(kind), std::nullopt) || listed);
    FUZZ_CHECK(!IsListedName(name, QString(), name.left(8)) || listed);
    if (!listed || !FileSystemName(bytes))
        return 0;

    static const QTemporaryDir folder;
    const QByteArray path = QFile::encodeName(folder.path()) + '/' + bytes;
    const int file = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    FUZZ_CHECK(file >= 0);
    FUZZ_CHECK(::ftruncate(file, 1024) == 0);
    ::close(file);
    const QList<RecordingEntry> rows = ListRecordings(folder.path(), true, KindAll, false, 0);
    ::unlink(path.constData());
    FUZZ_CHECK(rows.size() == 1);
    FUZZ_CHECK(NativePath(rows[0].path) == path);
    FUZZ_CHECK(rows[0].name == name);
    FUZZ_CHECK(rows[0].Text(ColumnName) == DisplayName(name));
    return 0;
}
