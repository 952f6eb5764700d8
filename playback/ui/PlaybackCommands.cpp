#include "playback/ui/PlaybackCommands.h"

#include "library/RecordingEntry.h"
#include "library/ui/FileListView.h"
#include "playback/PlaybackEngine.h"
#include "playback/VolumeWord.h"
#include "playback/PlaybackRules.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "skin/BitmapIds.h"
#include "skin/MessageBox.h"
#include "skin/SkinButton.h"
#include "skin/SkinLabel.h"
#include "skin/SkinSlider.h"

using namespace PlaybackRules;

namespace {

bool IsScrollCode(int code) {
    return code >= SliderCode::PageLeft && code <= SliderCode::Dragging;
}

} // namespace

PlaybackCommands::PlaybackCommands(PlaybackEngine& player, PlaybackControls controls,
                                   FileListView& list, QWidget* window,
                                   std::function<bool()> decoderCheck,
                                   std::function<bool()> fileNameShown)
    : QObject(window), m_player(player), m_controls(controls), m_list(list), m_window(window),
      m_decoderCheck(std::move(decoderCheck)), m_fileNameShown(std::move(fileNameShown)) {
    m_controls.position->setRange(0, 0);
    m_controls.speed->setRange(SpeedMinimum, SpeedMaximum);
    m_controls.speed->setValue(SpeedNormal);
    m_controls.volume->setRange(0, 99);
    m_controls.volume->setValue(DefaultVolumeSlider);
    m_controls.brightness->setRange(-150, 150);
    m_controls.brightness->setValue(0);
    m_controls.mute->SetCheck(0);
    m_player.SetVolume(VolumeWordFromSlider(m_controls.volume->value()));
    m_positionTimer.setInterval(PositionTickMs);
    connect(&m_positionTimer, &QTimer::timeout, this, &PlaybackCommands::PositionTick);
    connect(&m_player, &PlaybackEngine::opened, this, &PlaybackCommands::OnOpened);
}

void PlaybackCommands::SetControlBar(ControlBarTwins twins) {
    m_bar = twins;
    // One volume scale on both sliders, so that they always stand at the same place.
    m_bar->volume->setRange(m_controls.volume->minimum(), m_controls.volume->maximum());
    m_bar->position->setRange(m_controls.position->minimum(), m_controls.position->maximum());
    SyncControlBar();
}

void PlaybackCommands::SyncControlBar() {
    if (!m_bar)
        return;
    m_bar->volume->setValue(m_controls.volume->value());
    const bool muted = m_controls.mute->GetCheck();
    m_player.SetVolume(muted ? 0 : VolumeWordFromSlider(m_bar->volume->value()));
    ShowMuted(muted);
}

bool PlaybackCommands::OpenRecording(const QString& path) {
    if (!m_decoderCheck())
        return false;
    if (!m_player.BeginOpen(path)) {
        ReportFailedOpen();
        return false;
    }
    if (m_player.Opening()) {
        // A slow card: the rest follows in OnOpened, as if the open had returned now.
        m_openingPath = path;
        return false;
    }
    ShowOpened(path);
    return true;
}

void PlaybackCommands::OnOpened(bool ok) {
    if (!ok)
        return ReportFailedOpen();
    ShowOpened(m_openingPath);
    // Every open from the window goes on to play.
    StartPlaying();
}

void PlaybackCommands::ReportFailedOpen() {
    MessageBox::Tell(m_window, LoadLangString(StringId::CantPlayFile));
    Next();
}

void PlaybackCommands::ShowOpened(const QString& path) {
    m_openPath = path;
    ShowLength(m_player.DurationMs());
    const QString fileName = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    m_controls.fileName->hide();
    m_controls.fileName->setText(fileName);
    if (m_bar)
        m_bar->fileName->setText(fileName);
    m_controls.speed->setValue(SpeedNormal);
    m_controls.brightness->setValue(0);
    if (m_fileNameShown())
        m_controls.fileName->show();
    emit recordingOpened(path);
}

void PlaybackCommands::PlayPause() {
    if (m_player.Opening())
        return; // it plays once it is open
    const int state = m_player.State();
    if (state == PlaybackGraph::Running) {
        m_player.Pause();
        ShowPlayLook(false);
    } else if (state == PlaybackGraph::Paused) {
        ShowPlayLook(true);
        m_player.SetRate(RateForSpeedPosition(m_controls.speed->value()));
        m_player.Play();
        m_positionTimer.start();
    } else {
        const int row = m_list.FirstSelectedRow();
        if (m_list.ItemCount() == 0 || row < 0)
            return;
        if (row != m_currentIndex) {
            m_currentIndex = row;
            const QString path = m_list.ItemText(row, ColumnPath);
            if (path.isEmpty() || !OpenRecording(path))
                return;
        }
        return StartPlaying();
    }
    m_list.RepaintRows();
}

void PlaybackCommands::StartPlaying() {
    m_player.Play();
    m_positionTimer.start();
    ShowPlayLook(true);
    ShowLength(m_player.DurationMs());
    m_list.RepaintRows();
}

void PlaybackCommands::Rewind() {
    if (!m_player.HasMedia())
        return;
    m_player.StepBack(StepSeconds);
    PositionTick();
}

void PlaybackCommands::Forward() {
    if (!m_player.HasMedia())
        return;
    m_player.StepForward(StepSeconds);
    PositionTick();
}

void PlaybackCommands::Next() {
    const int row = m_currentIndex + 1;
    if (row >= m_list.ItemCount()) {
        StopPlayback();
        return;
    }
    m_currentIndex = row;
    OpenRow(row);
}

void PlaybackCommands::Previous() {
    const int row = m_currentIndex - 1;
    if (m_currentIndex <= 0 || row >= m_list.ItemCount())
        return;
    m_currentIndex = row;
    OpenRow(row);
}

void PlaybackCommands::OpenRow(int row) {
    const QString path = m_list.ItemText(row, ColumnPath);
    if (path.isEmpty())
        return;
    m_list.ShowRow(row);
    if (OpenRecording(path))
        PlayPause();
}

void PlaybackCommands::OnRowDoubleClicked(int row) {
    const QString path = m_list.ItemText(row, ColumnPath);
    if (path.isEmpty())
        return;
    m_currentIndex = row;
    // A failed open has moved on to the next row already; the index then names the row that
    // plays, or -1 when none does.
    if (!OpenRecording(path))
        return;
    m_list.ShowRow(row);
    PlayPause();
}

void PlaybackCommands::OnMute() {
    const bool muted = m_controls.mute->GetCheck();
    m_player.SetVolume(muted ? 0 : VolumeWordFromSlider(m_controls.volume->value()));
    ShowMuted(muted);
}

void PlaybackCommands::OnBarMute() {
    const bool muted = m_bar->mute->GetCheck();
    m_player.SetVolume(muted ? 0 : VolumeWordFromSlider(m_bar->volume->value()));
    if (!muted)
        m_controls.volume->setValue(m_bar->volume->value());
    ShowMuted(muted);
}

void PlaybackCommands::OnVolumeScroll(int position) {
    m_controls.volume->setValue(position);
    if (m_bar)
        m_bar->volume->setValue(position);
    ShowMuted(position == 0);
    m_player.SetVolume(VolumeWordFromSlider(position));
}

void PlaybackCommands::OnSliderScroll(int controlId, int code, int position) {
    const bool barPosition = m_bar && controlId == m_bar->position->ControlId();
    if (controlId == m_controls.position->ControlId() || barPosition) {
        if (code == SliderCode::PageLeft || code == SliderCode::PageRight ||
            code == SliderCode::Dragging) {
            m_player.SeekMs(position);
            if (barPosition)
                m_controls.position->setValue(position);
            PositionTick();
        }
    } else if (!IsScrollCode(code)) {
        return;
    } else if (controlId == m_controls.speed->ControlId()) {
        if (m_player.State() == PlaybackGraph::Running)
            m_player.SetRate(RateForSpeedPosition(position));
    } else if (controlId == m_controls.volume->ControlId() ||
               (m_bar && controlId == m_bar->volume->ControlId())) {
        OnVolumeScroll(position);
    } else if (controlId == m_controls.brightness->ControlId()) {
        m_player.SetBrightness(position);
    }
}

void PlaybackCommands::PositionTick() {
    const int state = m_player.State();
    if (state == PlaybackGraph::Empty)
        return;
    const qint64 position = m_player.PositionMs();
    const qint64 length = m_player.DurationMs();
    if (state == PlaybackGraph::Running) {
        if (position < 0 || position >= length)
            return AtEndOfRecording(position, length);
        // While the user drags the thumb it stays where the pointer put it.
        if (!m_controls.position->isSliderDown()) {
            m_controls.position->setValue(int(position));
            m_controls.position->RedrawNow();
        }
        MoveBarPosition(position);
    } else {
        m_player.Pause();
        // Position 0 while paused counts as the end: rewinding to the start skips on.
        if (position <= 0 || position >= length)
            return AtEndOfRecording(position, length);
        m_controls.position->setValue(int(position));
        m_controls.position->RedrawNow();
        MoveBarPosition(position);
    }
    ShowTimes(position, length);
    emit positionShown(position);
}

void PlaybackCommands::SeekTo(qint64 positionMs) {
    if (!m_player.HasMedia())
        return;
    m_player.SeekMs(int(std::clamp<qint64>(positionMs, 0, m_player.DurationMs())));
    PositionTick();
}

void PlaybackCommands::AtEndOfRecording(qint64 positionMs, qint64 lengthMs) {
    m_controls.position->setValue(int(positionMs));
    m_controls.position->RedrawNow();
    ShowTimes(positionMs, lengthMs);
    m_controls.position->setSliderDown(false);
    m_controls.position->releaseMouse();
    Next();
    MoveBarPosition(m_controls.position->value());
}

void PlaybackCommands::MoveBarPosition(qint64 positionMs) {
    if (!m_bar || m_bar->position->isSliderDown())
        return;
    m_bar->position->setValue(int(positionMs));
    m_bar->position->RedrawNow();
}

void PlaybackCommands::FollowOpenRecording() {
    if (m_currentIndex < 0)
        return;
    m_currentIndex = -1;
    for (int row = 0; row < m_list.ItemCount() && m_currentIndex < 0; ++row)
        if (m_list.Row(row)->path == m_openPath)
            m_currentIndex = row;
    m_list.RepaintRows();
}

void PlaybackCommands::StopPlayback() {
    m_player.Stop();
    m_player.Close();
    m_positionTimer.stop();
    m_controls.position->setValue(0);
    m_controls.position->RedrawNow();
    ShowTimes(0, 0);
    MoveBarPosition(0);
    m_controls.fileName->clear();
    if (m_bar)
        m_bar->fileName->clear();
    m_currentIndex = -1;
    ShowPlayLook(false);
    // No row plays any more; the panel's list is a window of its own and repaints apart.
    m_list.RepaintRows();
    emit playbackStopped();
}

void PlaybackCommands::Shutdown() {
    m_positionTimer.stop();
    m_player.Stop();
    m_player.Close();
}

void PlaybackCommands::ShowPlayLook(bool playing) {
    for (SkinButton* button : {m_controls.playPause, m_bar ? m_bar->playPause : nullptr}) {
        if (!button)
            continue;
        button->SetImages(playing ? ButtonLook::Pause : ButtonLook::Play);
        button->SetTip(playing ? QStringLiteral("Pause") : QStringLiteral("Play"));
        button->update();
    }
}

void PlaybackCommands::ShowMuted(bool muted) {
    m_controls.mute->SetCheck(muted);
    m_controls.mute->SetImages(muted ? ButtonLook::Muted : ButtonLook::Volume);
    m_controls.mute->update();
    if (!m_bar)
        return;
    m_bar->mute->SetCheck(muted);
    m_bar->mute->SetImages(muted ? ButtonLook::BarMuted : ButtonLook::BarVolume);
    m_bar->mute->update();
}

void PlaybackCommands::ShowLength(qint64 lengthMs) {
    m_controls.position->setRange(0, int(lengthMs));
    m_controls.total->setText(TimeText(lengthMs));
    if (m_bar) {
        m_bar->position->setRange(0, int(lengthMs));
        m_bar->total->setText(TimeText(lengthMs));
    }
}

void PlaybackCommands::ShowTimes(qint64 positionMs, qint64 lengthMs) {
    const std::pair<SkinLabel*, qint64> texts[] = {{m_controls.elapsed, positionMs},
                                                   {m_controls.total, lengthMs},
                                                   {m_bar ? m_bar->elapsed : nullptr, positionMs},
                                                   {m_bar ? m_bar->total : nullptr, lengthMs}};
    for (auto [text, value] : texts) {
        const QString shown = TimeText(value);
        if (text && text->text() != shown)
            text->setText(shown);
    }
}
