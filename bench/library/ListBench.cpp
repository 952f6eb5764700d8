#include "library/RecordingCatalogue.h"

#include <QFile>
#include <QStringList>
#include <cstdio>

// Prints a folder's rows as `karvenna-cli list FOLDER --folder` does, without the start-up of
// a program that links every room, so that the listing itself is what gets measured.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: karvenna-list-bench FOLDER\n", stderr);
        return 2;
    }
    QByteArray out;
    for (const RecordingEntry& row :
         ListRecordings(QFile::decodeName(argv[1]), true, KindAll, false, 0)) {
        out += row.Texts().join(u'\t').toUtf8();
        out += '\n';
    }
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return 0;
}
