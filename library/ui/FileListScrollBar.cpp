#include "library/ui/FileListScrollBar.h"

#include "skin/BitmapIds.h"
#include "skin/SkinBitmaps.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace {
constexpr QColor BarBackground(13, 14, 15);
// The part of the thumb bitmap that is stretched to the thumb's length.
constexpr QRect ThumbSource(0, 0, 16, 26);
// Above the list the bar starts this much higher, and it is this much taller than the list.
constexpr int RiseAboveList = 19;
constexpr int ExtraHeight = 20;
} // namespace

FileListScrollBar::FileListScrollBar(QAbstractItemView& list, int rowHeight)
    : QWidget(list.parentWidget()), m_list(list), m_rowHeight(rowHeight) {
    m_delayTimer.setSingleShot(true);
    m_delayTimer.setInterval(DelayMs);
    m_repeatTimer.setInterval(RepeatMs);
    connect(&m_delayTimer, &QTimer::timeout, this, [this] {
        if (m_upPressed || m_downPressed)
            m_repeatTimer.start();
    });
    connect(&m_repeatTimer, &QTimer::timeout, this, [this] {
        ScrollPixels(m_downPressed ? m_rowHeight : -m_rowHeight);
        UpdateThumb();
    });
    QScrollBar* position = m_list.verticalScrollBar();
    connect(position, &QScrollBar::rangeChanged, this, &FileListScrollBar::UpdateThumb);
    connect(position, &QScrollBar::valueChanged, this, &FileListScrollBar::UpdateThumb);
    m_list.installEventFilter(this);
    PlaceBesideList();
    UpdateThumb();
}

void FileListScrollBar::PlaceBesideList() {
    const QRect list = m_list.geometry();
    setGeometry(list.right(), list.top() - RiseAboveList, Width, list.height() + ExtraHeight);
    raise();
}

bool FileListScrollBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_list) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            PlaceBesideList();
            UpdateThumb();
            break;
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            UpdateThumb();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FileListScrollBar::UpdateThumb() {
    const QScrollBar* position = m_list.verticalScrollBar();
    const int limit = position->maximum();
    const int track = height() - 2 * ArrowHeight;
    if (limit > 0) {
        const double inView = double(RowsPerPage()) / m_list.model()->rowCount();
        m_thumbHeight = std::max(int(inView * track), MinimumThumbHeight);
    } else {
        m_thumbHeight = RestingThumbHeight;
    }
    // While the thumb is dragged it stays under the pointer.
    if (!m_dragging) {
        const double ratio = limit > 0 ? double(track - m_thumbHeight) / limit : 0;
        m_thumbTop = ArrowHeight + int(ratio * position->value());
        ClampThumb();
    }
    setVisible(limit > 0 && !m_list.isHidden());
    update();
}

int FileListScrollBar::RowsPerPage() const {
    return m_list.viewport()->height() / m_rowHeight;
}

void FileListScrollBar::ClampThumb() {
    if (m_thumbTop + m_thumbHeight > height() - ArrowHeight)
        m_thumbTop = height() - ArrowHeight - m_thumbHeight;
    if (m_thumbTop < ArrowHeight)
        m_thumbTop = ArrowHeight;
}

void FileListScrollBar::ScrollPixels(int pixels) {
    QScrollBar* position = m_list.verticalScrollBar();
    position->setValue(position->value() + pixels / m_rowHeight);
}

QRect FileListScrollBar::UpArrow() const {
    return {0, 0, 19, ArrowHeight};
}

QRect FileListScrollBar::DownArrow() const {
    return {0, height() - ArrowHeight, 19, ArrowHeight};
}

QRect FileListScrollBar::Thumb() const {
    return {0, m_thumbTop, 17, m_thumbHeight};
}

void FileListScrollBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), BarBackground);
    painter.drawPixmap(1, 0, SkinBitmap(BitmapId::ScrollUpArrow));
    painter.drawTiledPixmap(QRect(0, ArrowHeight, Width, height() - 2 * ArrowHeight),
                            SkinBitmap(BitmapId::ScrollTrack));
    painter.drawPixmap(1, height() - ArrowHeight, SkinBitmap(BitmapId::ScrollDownArrow));
    painter.drawPixmap(QRect(1, m_thumbTop, 16, m_thumbHeight), SkinBitmap(BitmapId::ScrollThumb),
                       ThumbSource);
}

void FileListScrollBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    if (Thumb().contains(at)) {
        m_dragging = true;
    } else if (DownArrow().contains(at)) {
        m_downPressed = true;
        m_delayTimer.start();
    } else if (UpArrow().contains(at)) {
        m_upPressed = true;
        m_delayTimer.start();
    }
}

void FileListScrollBar::mouseMoveEvent(QMouseEvent* event) {
    const QScrollBar* position = m_list.verticalScrollBar();
    if (!m_dragging || position->maximum() <= 0)
        return;
    const int top = event->position().toPoint().y() - m_thumbHeight / 2;
    const double ratio = double(height() - m_thumbHeight - 2 * ArrowHeight) / position->maximum();
    const int target = int((top - ArrowHeight) / ratio);
    ScrollPixels((target - position->value()) * m_rowHeight);
    m_thumbTop = top;
    ClampThumb();
    update();
}

void FileListScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const bool dragged = m_dragging;
    m_dragging = false;
    UpdateThumb();
    m_delayTimer.stop();
    m_repeatTimer.stop();
    const QPoint at = event->position().toPoint();
    const int row = m_rowHeight;
    if (UpArrow().contains(at) || DownArrow().contains(at)) {
        if (m_upPressed)
            ScrollPixels(-row);
        else if (m_downPressed)
            ScrollPixels(row);
    } else if (!dragged) {
        // A page towards the release point; pressing on an arrow and letting go over the track
        // pages too.
        const int page = RowsPerPage() * row;
        ScrollPixels(at.y() > m_thumbTop ? page : -page);
    }
    m_upPressed = false;
    m_downPressed = false;
}

void FileListScrollBar::wheelEvent(QWheelEvent* event) {
    // The wheel over the bar turns the list, as it does over the rows.
    QApplication::sendEvent(m_list.viewport(), event);
}
