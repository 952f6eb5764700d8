#include "playback/ui/PlaybackCommands.h"

#include "library/RecordingEntry.h"
#include "library/ui/FileListView.h"
#include "playback/PlaybackEngine.h"
#include "playback/PlaybackRules.h"
#include "playback/VolumeWord.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "skin/BitmapIds.h"
#include "skin/MessageBox.h"
#include "skin/SkinButton.h"
#include "skin/SkinLabel.h"
#include "skin/SkinSlider.h"

#include <algorithm>

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
    m_controls.view.position->setRange(0, 0);
    m_controls.speed->setRange(SpeedMinimum, SpeedMaximum);
    m_controls.speed->setValue(SpeedNormal);
    m_controls.view.volume->setRange(0, 99);
    m_controls.view.volume->setValue(DefaultVolumeSlider);
    m_controls.brightness->setRange(-150, 150);
    m_controls.brightness->setValue(0);
    m_controls.view.mute->SetCheck(0);
    m_player.SetVolume(VolumeWordFromSlider(m_controls.view.volume->value()));
    m_positionTimer.setInterval(PositionTickMs);
    connect(&m_positionTimer, &QTimer::timeout, this, &PlaybackCommands::PositionTick);
    connect(&m_player, &PlaybackEngine::opened, this, &PlaybackCommands::OnOpened);
}

void PlaybackCommands::SetControlBar(PlaybackView twins) {
    m_bar = twins;
    // One scale on the twin sliders, so that they always stand at the same place.
    m_bar->volume->setRange(m_controls.view.volume->minimum(), m_controls.view.volume->maximum());
    m_bar->position->setRange(m_controls.view.position->minimum(),
                              m_controls.view.position->maximum());
    SyncControlBar();
}

void PlaybackCommands::SyncControlBar() {
    if (!m_bar)
        return;
    m_bar->volume->setValue(m_controls.view.volume->value());
    SetMuted(m_controls.view.mute->GetCheck());
}

void PlaybackCommands::ForEachView(const std::function<void(const PlaybackView&)>& show) const {
    show(m_controls.view);
    if (m_bar)
        show(*m_bar);
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
    m_controls.view.fileName->hide();
    ShowFileName(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1));
    m_controls.speed->setValue(SpeedNormal);
    m_controls.brightness->setValue(0);
    if (m_fileNameShown())
        m_controls.view.fileName->show();
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
    Step(-StepSeconds);
}

void PlaybackCommands::Forward() {
    Step(StepSeconds);
}

void PlaybackCommands::Step(double seconds) {
    if (!m_player.HasMedia())
        return;
    if (seconds < 0)
        m_player.StepBack(-seconds);
    else
        m_player.StepForward(seconds);
    PositionTick();
}

void PlaybackCommands::GoToStart() {
    // Position 0 while paused counts as the end of the recording: the first frame is shown from
    // just after its start.
    SeekTo(m_player.State() == PlaybackGraph::Paused ? 1 : 0);
}

void PlaybackCommands::GoToEnd() {
    // The last frame, which a paused recording then shows; a running one ends and moves on.
    SeekTo(m_player.DurationMs() - 1);
}

void PlaybackCommands::ToggleMute() {
    m_controls.view.mute->SetCheck(!m_controls.view.mute->GetCheck());
    OnMute();
}

void PlaybackCommands::StepVolume(int steps) {
    const SkinSlider* volume = m_controls.view.volume;
    OnVolumeScroll(
        std::clamp(volume->value() + steps * VolumeStep, volume->minimum(), volume->maximum()));
}

void PlaybackCommands::StepFrame(int direction) {
    if (m_player.State() != PlaybackGraph::Paused || !m_player.StepFrame(direction))
        return;
    // Not the tick's way: a paused position of 0 counts there as the end of the recording,
    // and the first frame is where a step back ends.
    const qint64 position = m_player.PositionMs();
    ShowPosition(position, HeldThumb::Stays);
    ShowTimes(position, m_player.DurationMs());
    emit positionShown(position);
}

void PlaybackCommands::StepSpeed(int steps) {
    SkinSlider* speed = m_controls.speed;
    speed->setValue(std::clamp(speed->value() + steps, speed->minimum(), speed->maximum()));
    if (m_player.State() == PlaybackGraph::Running)
        m_player.SetRate(RateForSpeedPosition(speed->value()));
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
    SetMuted(m_controls.view.mute->GetCheck());
}

void PlaybackCommands::OnBarMute() {
    const bool muted = m_bar->mute->GetCheck();
    // Sound comes back at the bar's volume, which the window's slider then shows too.
    if (!muted)
        m_controls.view.volume->setValue(m_bar->volume->value());
    SetMuted(muted);
}

void PlaybackCommands::SetMuted(bool muted) {
    m_player.SetVolume(muted ? 0 : VolumeWordFromSlider(m_controls.view.volume->value()));
    ShowMuted(muted);
}

void PlaybackCommands::OnVolumeScroll(int position) {
    ForEachView([position](const PlaybackView& view) { view.volume->setValue(position); });
    ShowMuted(position == 0);
    m_player.SetVolume(VolumeWordFromSlider(position));
}

void PlaybackCommands::OnSliderScroll(int controlId, int code, int position) {
    bool onPosition = false, onVolume = false;
    ForEachView([&](const PlaybackView& view) {
        onPosition = onPosition || controlId == view.position->ControlId();
        onVolume = onVolume || controlId == view.volume->ControlId();
    });
    if (onPosition) {
        if (code == SliderCode::PageLeft || code == SliderCode::PageRight ||
            code == SliderCode::Dragging) {
            m_player.SeekMs(position);
            PositionTick();
        }
    } else if (!IsScrollCode(code)) {
        return;
    } else if (controlId == m_controls.speed->ControlId()) {
        if (m_player.State() == PlaybackGraph::Running)
            m_player.SetRate(RateForSpeedPosition(position));
    } else if (onVolume) {
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
        // While the user drags a thumb it stays where the pointer put it.
        ShowPosition(position, HeldThumb::Stays);
    } else {
        m_player.Pause();
        // Position 0 while paused counts as the end: rewinding to the start skips on.
        if (position <= 0 || position >= length)
            return AtEndOfRecording(position, length);
        ShowPosition(position, HeldThumb::Stays);
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
    ShowPosition(positionMs, HeldThumb::Moves);
    ShowTimes(positionMs, lengthMs);
    // The next recording starts with the thumb let go.
    ForEachView([](const PlaybackView& view) {
        view.position->setSliderDown(false);
        view.position->releaseMouse();
    });
    Next();
}

void PlaybackCommands::ShowPosition(qint64 positionMs, HeldThumb held) const {
    ForEachView([positionMs, held](const PlaybackView& view) {
        if (held == HeldThumb::Stays && view.position->isSliderDown())
            return;
        view.position->setValue(int(positionMs));
        view.position->RedrawNow();
    });
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
    ShowPosition(0, HeldThumb::Moves);
    ShowTimes(0, 0);
    ShowFileName(QString());
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

void PlaybackCommands::ShowPlayLook(bool playing) const {
    ForEachView([playing](const PlaybackView& view) {
        view.playPause->SetImages(playing ? ButtonLook::Pause : ButtonLook::Play);
        view.playPause->SetTip(playing ? QStringLiteral("Pause") : QStringLiteral("Play"));
        view.playPause->update();
    });
}

void PlaybackCommands::ShowMuted(bool muted) const {
    ForEachView([muted](const PlaybackView& view) {
        view.mute->SetCheck(muted);
        view.mute->SetImages(muted ? view.mutedLook : view.volumeLook);
        view.mute->update();
    });
}

void PlaybackCommands::ShowLength(qint64 lengthMs) const {
    ForEachView([lengthMs](const PlaybackView& view) {
        view.position->setRange(0, int(lengthMs));
        view.total->setText(TimeText(lengthMs));
    });
}

void PlaybackCommands::ShowTimes(qint64 positionMs, qint64 lengthMs) const {
    ForEachView([positionMs, lengthMs](const PlaybackView& view) {
        for (auto [text, value] : {std::pair{view.elapsed, positionMs}, {view.total, lengthMs}})
            if (const QString shown = TimeText(value); text->text() != shown)
                text->setText(shown);
    });
}

void PlaybackCommands::ShowFileName(const QString& name) const {
    ForEachView([&name](const PlaybackView& view) { view.fileName->setText(name); });
}
