#include "playback/ui/VideoWindow.h"

#include "playback/PlaybackEngine.h"

#include <QPainter>

VideoWindow::VideoWindow(QWidget* parent, int controlId, const QRect& rect, PlaybackEngine& player)
    : VideoSurface(parent, controlId, rect), m_player(player) {
    // The picture or black covers every pixel: no background to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_player.Attach(ClientSize());
    connect(&m_player, &PlaybackEngine::pictureChanged, this, qOverload<>(&QWidget::update));
}

void VideoWindow::Repaint() {
    m_player.Repaint(ClientSize());
}

void VideoWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_player.RepaintInto(painter, rect());
}

void VideoWindow::resizeEvent(QResizeEvent* event) {
    VideoSurface::resizeEvent(event);
    Repaint();
}

QSize VideoWindow::ClientSize() const {
    return size() * devicePixelRatioF();
}
