#include "playback/ui/SnapshotCommands.h"

#include "library/RecordingEntry.h"
#include "library/ui/CardLibrary.h"
#include "library/ui/FileListView.h"
#include "library/ui/ReplaceQuestion.h"
#include "playback/ImageFile.h"
#include "playback/PlaybackEngine.h"
#include "playback/SnapshotName.h"
#include "playback/ui/PlaybackCommands.h"
#include "playback/ui/VideoWindow.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "skin/MessageBox.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QImage>

SnapshotCommands::SnapshotCommands(PlaybackEngine& player, VideoWindow& video,
                                   const PlaybackCommands& playback, const FileListView& list,
                                   const CardLibrary& library, QWidget* window)
    : QObject(window), m_player(player), m_video(video), m_playback(playback), m_list(list),
      m_library(library), m_window(window) {}

void SnapshotCommands::Capture() {
    const int state = m_player.State();
    if (m_library.LibraryRoot().isEmpty() ||
        (state != PlaybackGraph::Running && state != PlaybackGraph::Paused))
        return;
    const bool wasRunning = state == PlaybackGraph::Running;
    QImage frame;
    if (!m_player.GrabFrame(frame))
        return;
    m_player.Pause();
    const QString recording = m_list.ItemText(m_playback.CurrentIndex(), ColumnName);
    const QString chosen = AskPath(SuggestSnapshotName(m_snapshotFolder, recording));
    if (!chosen.isEmpty())
        Save(frame, chosen);
    if (wasRunning)
        m_player.Play();
}

QString SnapshotCommands::AskPath(const QString& suggestion) const {
    QFileDialog dialog(m_window);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("jpeg file (*.jpg)"));
    if (!m_snapshotFolder.isEmpty())
        dialog.setDirectory(m_snapshotFolder);
    dialog.selectFile(suggestion);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void SnapshotCommands::Save(const QImage& frame, const QString& chosenPath) {
    const QString target = SnapshotTarget(chosenPath);
    // The dialog asked about the name typed; a file under the name written gets its own question.
    if (target != chosenPath && QFileInfo::exists(target) &&
        AskReplace(m_window, QFileInfo(target).fileName(), false) != ClashAnswer::Replace)
        return;
    if (const QString folder = SnapshotFolderOf(target); !folder.isEmpty())
        m_snapshotFolder = folder;
    // Whole or not at all: a full disk leaves no half picture and keeps the one replaced.
    const QString failure = WriteImageFile(target, frame, "JPEG");
    if (failure.isEmpty())
        return;
    MessageBox::Tell(m_window,
                     LoadLangString(StringId::SnapshotNotSaved) + u'\n' + target + u'\n' + failure);
}

void SnapshotCommands::Rotate() {
    if (m_library.LibraryRoot().isEmpty())
        return;
    PlaybackGraph* graph = m_player.Graph();
    if (!graph)
        return;
    if (graph->HasMedia()) {
        m_turned = !m_turned;
        graph->SetDecoderParam(PlaybackGraph::ParamTurnOn, 1);
        graph->SetDecoderParam(PlaybackGraph::ParamTurned, m_turned ? 1 : 0);
        m_video.Repaint();
    }
    m_video.Repaint();
}
