#include "playback/ui/VideoWindow.h"

#include "playback/CDShowPlayer.h"

#include <QPainter>

VideoWindow::VideoWindow(QWidget* parent, int controlId, const QRect& rect, CDShowPlayer& player)
    : CStaticView(parent, controlId, rect), m_player(player) {
    // The picture or black covers every pixel: no background to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_player.Attach(ClientSize());
    connect(&m_player, &CDShowPlayer::pictureChanged, this, qOverload<>(&QWidget::update));
}

void VideoWindow::Repaint() {
    m_player.Repaint(ClientSize());
}

void VideoWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_player.RepaintInto(painter, rect());
}

void VideoWindow::resizeEvent(QResizeEvent* event) {
    CStaticView::resizeEvent(event);
    Repaint();
}

QSize VideoWindow::ClientSize() const {
    return size() * devicePixelRatioF();
}
