#include "app/RepairOffer.h"

#include "library/UnfinishedRecording.h"
#include "playback/RepairedMp4File.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "skin/MessageBox.h"

#include <QFileInfo>

QString RepairedCopyName(const QString& target) {
    const QFileInfo file(target);
    return file.path() + u'/' + file.completeBaseName() + QStringLiteral("_REPAIRED.") +
           file.suffix();
}

void OfferRepairedCopies(QWidget* window, const SaveReport& report) {
    for (const SaveOutcome& outcome : report.outcomes) {
        const QString& source = outcome.file.source;
        if (outcome.status != SaveOutcome::Saved ||
            QFileInfo(source).suffix().compare(QStringLiteral("MP4"), Qt::CaseInsensitive) != 0 ||
            !IsUnfinishedRecording(source))
            continue;
        const QString copy = RepairedCopyName(outcome.file.target);
        if (!MessageBox::AskOkCancel(
                window, LoadLangString(StringId::OfferRepairedCopy)
                            .arg(QFileInfo(source).fileName(), QFileInfo(copy).fileName())))
            continue;
        QString recovered;
        const QString failure = SaveRepairedMp4(source, copy, recovered);
        MessageBox::Tell(window, failure.isEmpty()
                                     ? LoadLangString(StringId::RepairedCopySaved).arg(copy) +
                                           u'\n' + recovered
                                     : LoadLangString(StringId::RepairedCopyFailed).arg(failure));
    }
}
