#include "skin/SkinSlider.h"

#include "skin/SkinBitmaps.h"
#include "skin/SkinColours.h"

#include <QKeyEvent>
#include <QPainter>
#include <cmath>

// The filled part reaches this far under the thumb, so that no gap shows at its left edge.
static constexpr int FillUnderThumb = 5;
// One wheel notch.
static constexpr int WheelNotch = 120;

SkinSlider::SkinSlider(QWidget* parent, int controlId, const QRect& rect)
    : QAbstractSlider(parent), m_controlId(controlId) {
    setObjectName(QString::number(controlId));
    setOrientation(Qt::Horizontal);
    setRange(0, 100);
    setSingleStep(1);
    setPageStep(10);
    setFocusPolicy(Qt::StrongFocus);
    setGeometry(rect);
}

void SkinSlider::SetImages(int channel, int fill, int thumbNormal, int thumbDragging,
                           int thumbFocused) {
    m_channel = SkinBitmap(channel);
    m_fill = SkinBitmap(fill);
    m_thumbNormal = SkinBitmapKeyed(thumbNormal, SkinColour::ThumbKey);
    m_thumbDragging = SkinBitmapKeyed(thumbDragging, SkinColour::ThumbKey);
    m_thumbFocused = SkinBitmapKeyed(thumbFocused, SkinColour::ThumbKey);
    m_margin = 0;
    m_thumbY = height() / 2 - m_thumbNormal.height() / 2;
    update();
}

void SkinSlider::SetImages(const SliderLooks& looks) {
    SetImages(looks.channel, looks.fill, looks.thumb, looks.thumbDragging, looks.thumbFocused);
}

int SkinSlider::ThumbLeft() const {
    return ThumbLeftAt(value());
}

int SkinSlider::ThumbLeftAt(int position) const {
    const int range = maximum() - minimum();
    if (range == 0)
        return m_margin; // an empty range has no travel: the thumb rests at the left end
    const double travel = width() - 2 * m_margin - m_thumbNormal.width();
    return m_margin + int(std::trunc(travel / range * (position - minimum())));
}

void SkinSlider::SetMarkedSpan(int from, int to) {
    m_markedSpan = {from, to};
    update();
}

void SkinSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int w = width();
    const int h = height();
    const int thumbX = ThumbLeft();
    if (!m_channel.isNull())
        painter.drawPixmap(QRect(0, (h - m_channel.height()) / 2, w, h), m_channel);
    const int fillWidth = thumbX + FillUnderThumb;
    if (!m_fill.isNull() && fillWidth > 0) {
        painter.drawPixmap(QRect(0, (h - m_fill.height()) / 2, fillWidth, h), m_fill,
                           QRect(0, 0, std::min(fillWidth, m_fill.width()), m_fill.height()));
    }
    if (const auto [from, to] = m_markedSpan; from <= to && to >= minimum() && from <= maximum()) {
        // A bracket over the channel, light so that it reads over the fill as well.
        const int middle = m_thumbNormal.width() / 2;
        const int left = ThumbLeftAt(std::max(from, minimum())) + middle;
        const int right = ThumbLeftAt(std::min(to, maximum())) + middle;
        const int top = std::max(h / 2 - 9, 0);
        painter.fillRect(QRect(left, top, std::max(right - left, 1), 2), SkinColour::Text);
        if (from >= minimum())
            painter.fillRect(QRect(left, top, 2, 7), SkinColour::Text);
        if (to <= maximum())
            painter.fillRect(QRect(right - 1, top, 2, 7), SkinColour::Text);
    }
    const QPixmap& thumb = isSliderDown()              ? m_thumbDragging
                           : isEnabled() && hasFocus() ? m_thumbFocused
                                                       : m_thumbNormal;
    if (!thumb.isNull())
        painter.drawPixmap(QRect(thumbX, m_thumbY, m_thumbNormal.width(), m_thumbNormal.height()),
                           thumb);
}

void SkinSlider::resizeEvent(QResizeEvent* event) {
    QAbstractSlider::resizeEvent(event);
    m_thumbY = height() / 2 - m_thumbNormal.height() / 2;
}

bool SkinSlider::ApplyPointer(int x) {
    const int offset = x - m_thumbNormal.width() / 2 - m_margin;
    const int travel = width() - 2 * m_margin - m_thumbNormal.width();
    double position = minimum();
    if (travel > 0)
        position += std::trunc(double(maximum() + 1 - minimum()) / travel * offset);
    // Past the right end the pointer means the maximum; only a real change counts.
    const int clamped = int(std::clamp(position, double(minimum()), double(maximum())));
    if (clamped == value())
        return false;
    setValue(clamped);
    return true;
}

void SkinSlider::Post(int code) {
    const int position = value();
    QMetaObject::invokeMethod(
        this, [this, code, position] { emit hScroll(m_controlId, code, position); },
        Qt::QueuedConnection);
}

void SkinSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || isSliderDown()) {
        QAbstractSlider::mousePressEvent(event);
        return;
    }
    setSliderDown(true);
    m_moved = false;
    setFocus(Qt::MouseFocusReason);
    if (ApplyPointer(event->position().toPoint().x())) {
        m_moved = true;
        Post(SliderCode::Dragging);
    }
    repaint();
}

void SkinSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!isSliderDown()) {
        QAbstractSlider::mouseMoveEvent(event);
        return;
    }
    if (ApplyPointer(event->position().toPoint().x())) {
        m_moved = true;
        Post(SliderCode::Dragging);
        repaint();
    }
}

void SkinSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isSliderDown()) {
        QAbstractSlider::mouseReleaseEvent(event);
        return;
    }
    setSliderDown(false);
    if (ApplyPointer(event->position().toPoint().x())) {
        Post(SliderCode::Dragging);
        m_moved = true;
    }
    if (m_moved) {
        Post(SliderCode::DragFinished);
        m_moved = false;
    }
    repaint();
}

void SkinSlider::wheelEvent(QWheelEvent* event) {
    update();
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        QAbstractSlider::wheelEvent(event);
        return;
    }
    event->accept();
    if (!wheelEnabled)
        return;
    m_wheelRemainder += delta;
    while (std::abs(m_wheelRemainder) >= WheelNotch) {
        const bool up = m_wheelRemainder > 0;
        m_wheelRemainder -= up ? WheelNotch : -WheelNotch;
        // As on every slider of this desktop, turning the wheel up moves towards the maximum.
        MoveBy(up ? singleStep() : -singleStep(),
               up ? SliderCode::LineRight : SliderCode::LineLeft);
    }
}

void SkinSlider::MoveBy(int step, int code) {
    setValue(std::clamp(value() + step, minimum(), maximum()));
    RedrawNow();
    Post(code);
}

void SkinSlider::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageUp:
        MoveBy(-pageStep(), SliderCode::PageLeft);
        break;
    case Qt::Key_PageDown:
        MoveBy(pageStep(), SliderCode::PageRight);
        break;
    case Qt::Key_End:
        setValue(maximum());
        RedrawNow();
        Post(SliderCode::End);
        break;
    case Qt::Key_Home:
        setValue(minimum());
        RedrawNow();
        Post(SliderCode::Home);
        break;
    // A horizontal slider takes Up and Down as the desktop's trackbars do: Up is a line back,
    // Down a line on.
    case Qt::Key_Left:
    case Qt::Key_Up:
        MoveBy(-singleStep(), SliderCode::LineLeft);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        MoveBy(singleStep(), SliderCode::LineRight);
        break;
    default:
        QWidget::keyPressEvent(event); // left to the owner, e.g. the main window's Space
    }
}

void SkinSlider::keyReleaseEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!event->isAutoRepeat())
            Post(SliderCode::KeyReleased);
        break;
    default:
        QWidget::keyReleaseEvent(event);
    }
}

void SkinSlider::focusOutEvent(QFocusEvent* event) {
    QAbstractSlider::focusOutEvent(event);
    setSliderDown(false);
}
