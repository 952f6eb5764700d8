#include "app/IncidentCommands.h"

#include "app/TripEventCommands.h"
#include "incident/IncidentExport.h"
#include "incident/PackHashes.h"
#include "incident/SpanRecordings.h"
#include "library/ui/CardLibrary.h"
#include "library/ui/FileListView.h"
#include "playback/PlaybackEngine.h"
#include "playback/ui/PlaybackCommands.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "skin/MessageBox.h"
#include "skin/SkinSlider.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QProgressDialog>
#include <QUrl>
#include <cstdlib>
#include <thread>

IncidentCommands::IncidentCommands(QWidget* window, const CardLibrary& library, FileListView& list,
                                   PlaybackCommands& playback, PlaybackEngine& player,
                                   const TripEventCommands& events,
                                   QList<SkinSlider*> positionSliders)
    : QObject(window), m_window(window), m_library(library), m_list(list), m_playback(playback),
      m_player(player), m_events(events), m_sliders(std::move(positionSliders)) {}

std::optional<QDateTime> IncidentCommands::PlayingStart() const {
    const RecordingEntry* playing =
        m_player.HasMedia() ? m_list.Row(m_playback.CurrentIndex()) : nullptr;
    return playing ? RecordingStart(playing->name) : std::nullopt;
}

std::optional<QDateTime> IncidentCommands::Now() const {
    const std::optional<QDateTime> start = PlayingStart();
    return start ? std::optional(start->addMSecs(m_player.PositionMs())) : std::nullopt;
}

void IncidentCommands::MarkStart() {
    if (const std::optional<QDateTime> now = Now()) {
        m_start = now;
        ShowSpan();
    }
}

void IncidentCommands::MarkEnd() {
    if (const std::optional<QDateTime> now = Now()) {
        m_end = now;
        ShowSpan();
    }
}

std::optional<std::pair<QDateTime, QDateTime>> IncidentCommands::PackSpan() const {
    if (m_start && m_end && *m_start != *m_end)
        return std::minmax(*m_start, *m_end);
    const RecordingEntry* playing =
        m_player.HasMedia() ? m_list.Row(m_playback.CurrentIndex()) : nullptr;
    const std::optional<QDateTime> start = PlayingStart();
    if (!playing || !start)
        return std::nullopt;
    const qint64 position = m_player.PositionMs();
    std::optional<qint64> nearest;
    for (const RecordingSummary& recording : m_events.Scan().recordings)
        if (recording.name == playing->name)
            for (const DrivingEvent& event : recording.events)
                if (!nearest || std::abs(event.atMs - position) < std::abs(*nearest - position))
                    nearest = event.atMs;
    if (!nearest)
        return std::nullopt;
    const QDateTime at = start->addMSecs(*nearest);
    return std::pair(at.addMSecs(-EventMarginMs), at.addMSecs(EventMarginMs));
}

void IncidentCommands::ShowSpan() {
    const std::optional<QDateTime> start = PlayingStart();
    for (SkinSlider* slider : m_sliders) {
        if (!start || !(m_start || m_end)) {
            slider->ClearMarkedSpan();
            continue;
        }
        // One mark alone shows as a thin line where it stands.
        const QDateTime from = m_start ? *m_start : *m_end;
        const QDateTime to = m_end ? *m_end : *m_start;
        const qint64 a = start->msecsTo(from);
        const qint64 b = start->msecsTo(to);
        slider->SetMarkedSpan(int(std::clamp<qint64>(std::min(a, b), INT_MIN, INT_MAX)),
                              int(std::clamp<qint64>(std::max(a, b), INT_MIN, INT_MAX)));
    }
}

void IncidentCommands::OnPackButton() {
    QMenu menu(m_window);
    QAction* exportPack = menu.addAction(LoadLangString(StringId::ExportIncidentPack));
    QAction* checkPack = menu.addAction(LoadLangString(StringId::CheckIncidentPack));
    const QAction* chosen = menu.exec(QCursor::pos());
    if (chosen == exportPack) {
        if (!PackSpan()) {
            MessageBox::Tell(m_window, LoadLangString(StringId::MarkSpanFirst));
            return;
        }
        const QString parent =
            QFileDialog::getExistingDirectory(m_window, LoadLangString(StringId::SaveTitle));
        if (parent.isEmpty())
            return;
        const QString name = QStringLiteral("incident-") +
                             PackSpan()->first.toString(QStringLiteral("yyyyMMdd-HHmmss"));
        QString packFolder = QDir(parent).filePath(name);
        for (int n = 2; QFileInfo::exists(packFolder); ++n)
            packFolder = QDir(parent).filePath(name + QStringLiteral("-%1").arg(n));
        ExportPackTo(packFolder);
    } else if (chosen == checkPack) {
        const QString folder = QFileDialog::getExistingDirectory(
            m_window, LoadLangString(StringId::CheckIncidentPack));
        if (!folder.isEmpty())
            CheckPackAt(folder);
    }
}

bool IncidentCommands::ExportPackTo(const QString& packFolder) {
    const std::optional<std::pair<QDateTime, QDateTime>> span = PackSpan();
    if (!span) {
        MessageBox::Tell(m_window, LoadLangString(StringId::MarkSpanFirst));
        return false;
    }
    IncidentRequest request{m_library.LibraryRoot(), span->first, span->second, packFolder};
    request.folderMode = m_library.FolderMode();
    QProgressDialog progress(LoadLangString(StringId::WritingIncidentPack),
                             LoadLangString(StringId::Cancel), 0, 1000, m_window);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    std::atomic<bool> cancel = false;
    connect(&progress, &QProgressDialog::canceled, this, [&cancel] { cancel = true; });
    QEventLoop waiting;
    QString error;
    std::thread worker([&] {
        error = ExportIncident(
            request,
            [&](double done) {
                QMetaObject::invokeMethod(
                    &progress, [&progress, done] { progress.setValue(int(done * 1000)); });
            },
            cancel);
        QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
    });
    waiting.exec();
    worker.join();
    // Reports the worker posted after the quit must not reach the dialog once it is gone.
    QCoreApplication::removePostedEvents(&progress);
    progress.reset();
    if (error == CancelledText)
        return false;
    if (!error.isEmpty()) {
        MessageBox::Tell(m_window, LoadLangString(StringId::IncidentPackFailed).arg(error));
        return false;
    }
    if (MessageBox::Ask(m_window, LoadLangString(StringId::IncidentPackWritten).arg(packFolder),
                        {{QMessageBox::Ok, QStringLiteral("OK")},
                         {QMessageBox::Open, LoadLangString(StringId::OpenFolder)}}) ==
        QMessageBox::Open)
        QDesktopServices::openUrl(QUrl::fromLocalFile(packFolder));
    return true;
}

void IncidentCommands::CheckPackAt(const QString& folder) {
    const QStringList faults = VerifyPack(folder);
    MessageBox::Tell(
        m_window,
        faults.isEmpty()
            ? LoadLangString(StringId::IncidentPackIntact).arg(folder)
            : LoadLangString(StringId::IncidentPackChanged).arg(faults.join(QLatin1Char('\n'))));
}
