#include "library/ui/SaveRun.h"

#include "common/NativePath.h"
#include "library/ui/ReplaceQuestion.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "skin/MessageBox.h"

#include <QLocale>
#include <QProgressDialog>

namespace {

// The progress bar's steps: an int range cannot hold the bytes of a large save.
constexpr int ProgressSteps = 1000;
// Lines of names a report lists before it stops; a pulled card can fail hundreds.
constexpr int ReportedNames = 12;

QString DataSize(qint64 bytes) {
    return QLocale().formattedDataSize(bytes);
}

QString FileName(const QString& path) {
    return DisplayName(path.mid(path.lastIndexOf(u'/') + 1));
}

} // namespace

SaveRun::SaveRun(QList<SaveFile> files, QWidget* window)
    : QObject(window), m_files(std::move(files)), m_window(window) {}

SaveRun::~SaveRun() {
    m_cancel = true;
    m_answered.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    delete m_progress;
}

QProgressDialog* SaveRun::ProgressDialog() const {
    return m_progress;
}

void SaveRun::Start() {
    m_progress = new QProgressDialog(m_window);
    m_progress->setWindowTitle(LoadLangString(StringId::SaveTitle));
    m_progress->setCancelButtonText(LoadLangString(StringId::Cancel));
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setRange(0, ProgressSteps);
    m_progress->setAutoReset(false);
    m_progress->setMinimumDuration(MomentMs);
    connect(m_progress, &QProgressDialog::canceled, this, [this] { m_cancel = true; });
    m_progress->setValue(0);
    m_thread = std::thread([this] {
        m_report = SaveFiles(m_files, *this);
        QMetaObject::invokeMethod(this, &SaveRun::Finish, Qt::QueuedConnection);
    });
}

void SaveRun::Progress(qint64 bytesDone, qint64 bytesTotal, const QString& file) {
    std::lock_guard lock(m_mutex);
    m_bytesDone = bytesDone;
    m_bytesTotal = bytesTotal;
    if (!file.isEmpty())
        m_file = file;
    // One update waits on the window's thread at a time; it shows the latest figures.
    if (m_progressPosted)
        return;
    m_progressPosted = true;
    QMetaObject::invokeMethod(this, &SaveRun::ShowProgress, Qt::QueuedConnection);
}

void SaveRun::ShowProgress() {
    qint64 done, total;
    QString file;
    {
        std::lock_guard lock(m_mutex);
        done = m_bytesDone;
        total = m_bytesTotal;
        file = m_file;
        m_progressPosted = false;
    }
    if (!m_progress || m_cancel)
        return;
    m_progress->setLabelText(
        LoadLangString(StringId::CopyingFile).arg(FileName(file)) + u'\n' +
        LoadLangString(StringId::BytesOfTotal).arg(DataSize(done), DataSize(total)));
    m_progress->setValue(total > 0 ? int(done * ProgressSteps / total) : 0);
}

ClashAnswer SaveRun::Clash(const SaveFile& file) {
    std::unique_lock lock(m_mutex);
    m_answer.reset();
    QMetaObject::invokeMethod(
        this, [this, file] { AnswerClash(file); }, Qt::QueuedConnection);
    m_answered.wait(lock, [this] { return m_answer || m_cancel; });
    return m_answer.value_or(ClashAnswer::Cancel);
}

void SaveRun::AnswerClash(const SaveFile& file) {
    // The progress window shows itself a moment after the save began, window-modal; a question
    // asked before would then sit behind it, its buttons dead. Shown first, it owns the question.
    if (m_progress && !m_progress->isVisible())
        m_progress->show();
    QWidget* owner = m_progress ? m_progress : m_window;
    const ClashAnswer answer = AskReplace(owner, FileName(file.target), m_files.size() > 1);
    {
        std::lock_guard lock(m_mutex);
        m_answer = answer;
    }
    m_answered.notify_all();
}

void SaveRun::Finish() {
    m_thread.join();
    // Later: this may run inside the dialog's own setValue, which lets events through.
    if (m_progress) {
        m_progress->hide();
        m_progress->deleteLater();
    }
    if (const QString text = SaveReportText(m_report); !text.isEmpty())
        MessageBox::Tell(m_window, text);
    emit finished(m_report);
}

QString SaveReportText(const SaveReport& report) {
    if (report.Complete() && !report.cancelled)
        return {};
    int saved = 0;
    QStringList notSaved;
    for (const SaveOutcome& outcome : report.outcomes) {
        if (outcome.status == SaveOutcome::Saved) {
            ++saved;
        } else if (outcome.status != SaveOutcome::Skipped) {
            // A failure names its file itself: the target, or the card's file it could not read.
            notSaved.append(outcome.error.isEmpty() ? FileName(outcome.file.target)
                                                    : outcome.error);
        }
    }
    QStringList lines;
    if (report.cancelled)
        lines << LoadLangString(StringId::SaveCancelled);
    lines << LoadLangString(StringId::FilesSaved).arg(saved).arg(saved + notSaved.size());
    if (!notSaved.isEmpty()) {
        lines << LoadLangString(StringId::NotSaved);
        lines << notSaved.mid(0, ReportedNames);
        if (notSaved.size() > ReportedNames)
            lines << QStringLiteral("…");
    }
    return lines.join(u'\n');
}
