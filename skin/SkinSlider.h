#pragma once

#include "skin/BitmapIds.h"

#include <QAbstractSlider>
#include <QPixmap>
#include <utility>

// Notification codes of a slider to its owner.
namespace SliderCode {
constexpr int LineLeft = 0;
constexpr int LineRight = 1;
constexpr int PageLeft = 2;
constexpr int PageRight = 3;
constexpr int DragFinished = 4;
constexpr int Dragging = 5;
constexpr int Home = 6;
constexpr int End = 7;
constexpr int KeyReleased = 8;
} // namespace SliderCode

// A horizontal slider whose channel, filled part and thumb are skin bitmaps. Range and position
// are the QAbstractSlider's; line size 1, page size 10, range 0 to 100 until the owner sets one.
// The slider is down (isSliderDown) while the left button holds the thumb.
class SkinSlider : public QAbstractSlider {
    Q_OBJECT
public:
    // The object name is the control ID in decimal, so that owners and tests find it by number.
    SkinSlider(QWidget* parent, int controlId, const QRect& rect);

    int ControlId() const { return m_controlId; }

    // Bitmap IDs of the channel, the fill, and the thumb when still, dragged and focused. White is
    // the thumbs' see-through colour.
    void SetImages(int channel, int fill, int thumbNormal, int thumbDragging, int thumbFocused);
    void SetImages(const SliderLooks& looks);

    // Paints at once, for the playback tick that moves the position.
    void RedrawNow() { repaint(); }

    // Left edge of the thumb for the present range and position.
    int ThumbLeft() const;

    // A stretch of the range drawn over the channel in the accent colour (the span an export
    // takes), clipped to the range; from > to draws nothing.
    void SetMarkedSpan(int from, int to);
    void ClearMarkedSpan() { SetMarkedSpan(1, 0); }
    std::pair<int, int> MarkedSpan() const { return m_markedSpan; }

    // Owners that must not react to the wheel clear it; the wheel then changes nothing.
    bool wheelEnabled = true;

signals:
    // Posted to the owner, so that it arrives after the slider's own handling has finished.
    void hScroll(int controlId, int code, int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The thumb's left edge where it would stand at `position`.
    int ThumbLeftAt(int position) const;
    bool ApplyPointer(int x);
    void MoveBy(int step, int code);
    void Post(int code);

    const int m_controlId;
    int m_margin = 0;
    int m_thumbY = 0;
    bool m_moved = false;
    int m_wheelRemainder = 0;
    std::pair<int, int> m_markedSpan{1, 0};
    QPixmap m_channel, m_fill, m_thumbNormal, m_thumbDragging, m_thumbFocused;
};
