#include "library/ui/SaveDeleteCommands.h"

#include "library/RecordingCatalogue.h"
#include "library/RecordingDelete.h"
#include "library/ui/CardLibrary.h"
#include "library/ui/FileListView.h"
#include "library/ui/SaveRun.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "skin/MessageBox.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QUrl>

SaveDeleteCommands::SaveDeleteCommands(FileListView& list, CardLibrary& library, QWidget* window)
    : QObject(window), m_list(list), m_library(library), m_window(window) {}

SaveRun* SaveDeleteCommands::RunningSave() const {
    return m_saveRun;
}

QList<MarkedRecording> SaveDeleteCommands::MarkedRecordings() const {
    QList<MarkedRecording> marked;
    for (int row = 0; row < m_list.ItemCount(); ++row)
        if (const RecordingEntry* entry = m_list.Row(row); entry->checked)
            marked.append({entry->path, entry->name});
    return marked;
}

void SaveDeleteCommands::Save() {
    if (m_saveRun)
        return;
    const QList<MarkedRecording> marked = MarkedRecordings();
    if (marked.isEmpty() || marked.constFirst().path.isEmpty())
        return;
    const QString destination = AskFolder();
    if (destination.isEmpty())
        return;
    m_lastSaveFolder = destination;
    m_saveRun = new SaveRun(PlanSave(marked, destination), m_window);
    connect(m_saveRun, &SaveRun::finished, this, [this](const SaveReport& report) {
        // Ended now: the next Save may start at once.
        m_saveRun->deleteLater();
        m_saveRun = nullptr;
        if (report.Complete() && !report.cancelled)
            TellSaved(report);
        emit saveFinished(report);
    });
    m_saveRun->Start();
}

void SaveDeleteCommands::TellSaved(const SaveReport& report) {
    int recordings = 0;
    for (const SaveOutcome& outcome : report.outcomes)
        if (outcome.status == SaveOutcome::Saved &&
            IsListedName(QFileInfo(outcome.file.target).fileName(), QString(), std::nullopt))
            ++recordings;
    const QString text =
        LoadLangString(StringId::RecordingsSavedIn).arg(recordings).arg(m_lastSaveFolder);
    if (MessageBox::Ask(m_window, text,
                        {{QMessageBox::Ok, QStringLiteral("OK")},
                         {QMessageBox::Open, LoadLangString(StringId::OpenFolder)}}) ==
        QMessageBox::Open)
        QDesktopServices::openUrl(QUrl::fromLocalFile(m_lastSaveFolder));
}

QString SaveDeleteCommands::AskFolder() {
    QFileDialog browser(m_window, LoadLangString(StringId::SaveTitle));
    browser.setFileMode(QFileDialog::Directory);
    browser.setOption(QFileDialog::ShowDirsOnly);
    browser.setLabelText(QFileDialog::LookIn, LoadLangString(StringId::SelectFolder));
    if (!m_lastSaveFolder.isEmpty())
        browser.setDirectory(m_lastSaveFolder);
    if (browser.exec() != QDialog::Accepted || browser.selectedFiles().isEmpty())
        return {};
    return browser.selectedFiles().constFirst();
}

void SaveDeleteCommands::Delete() {
    if (m_saveRun || m_list.ItemCount() == 0)
        return;
    QList<bool> marks;
    for (int row = 0; row < m_list.ItemCount(); ++row)
        marks.append(m_list.IsChecked(row));
    const DeletePlan plan = PlanDelete(marks, m_list.CurrentIndex());
    if (plan.firstMarked < 0)
        return;
    QString question = LoadLangString(StringId::DeleteQuestion);
    if (plan.protectedMarked) {
        if (plan.rows.isEmpty()) {
            MessageBox::Tell(m_window, LoadLangString(StringId::PlayingFileNotDeleted));
            return;
        }
        question = LoadLangString(StringId::PlayingFileNotDeleted) + u'\n' + question;
    }
    // What goes, by name, so that nobody deletes the wrong recording.
    QStringList names;
    for (int row : plan.rows)
        names.append(m_list.Row(row)->name);
    if (names.size() > NamedRecordings)
        names = names.mid(0, NamedRecordings) << QStringLiteral("…");
    if (!MessageBox::AskOkCancel(m_window, question + u'\n' + names.join(u'\n')))
        return;

    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QStringList kept;
    for (int row : plan.rows)
        if (const QString path = m_list.Row(row)->path; !path.isEmpty())
            kept += DeleteRecordingFiles(path);
    m_library.RefreshWithCurrentFilters();
    const int selected = RowAfterDelete(plan.firstMarked, m_list.ItemCount());
    if (selected >= 0) {
        m_list.DeselectAll();
        m_list.SelectRow(selected);
    }
    emit listRebuiltAfterDelete();
    QGuiApplication::restoreOverrideCursor();

    // A write-protected card keeps its files: said once, naming them, rather than not at all.
    if (!kept.isEmpty()) {
        for (QString& file : kept)
            file = QFileInfo(file).fileName();
        MessageBox::Tell(m_window, LoadLangString(StringId::NotDeleted) + u'\n' + kept.join(u'\n'));
    }
}
