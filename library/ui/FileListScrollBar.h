#pragma once

#include <QTimer>
#include <QWidget>

class QAbstractItemView;

// The file list's own vertical scroll bar, drawn from the skin beside the list: an arrow at each
// end, a track, and a thumb whose length shows how much of the list is in view. It reads the
// list's scroll position and scrolls the list by whole rows. Hidden while every row fits.
class FileListScrollBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int Width = 18;
    static constexpr int ArrowHeight = 16;
    static constexpr int MinimumThumbHeight = 20;
    // The thumb's height while all rows fit and the bar is hidden.
    static constexpr int RestingThumbHeight = 50;
    // Holding an arrow repeats its step after DelayMs, then every RepeatMs.
    static constexpr int DelayMs = 250;
    static constexpr int RepeatMs = 50;

    // A child of the list's parent, placed beside the list and following it; the list's rows
    // are all rowHeight pixels high.
    FileListScrollBar(QAbstractItemView& list, int rowHeight);

    int ThumbTop() const { return m_thumbTop; }
    int ThumbHeight() const { return m_thumbHeight; }

    // Places the thumb for the list's scroll position and shows the bar when rows are out of
    // view.
    void UpdateThumb();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void PlaceBesideList();
    void ScrollPixels(int pixels);
    void ClampThumb();
    // Rows wholly in view.
    int RowsPerPage() const;
    QRect UpArrow() const;
    QRect DownArrow() const;
    QRect Thumb() const;

    QAbstractItemView& m_list;
    const int m_rowHeight;
    bool m_upPressed = false;
    bool m_downPressed = false;
    bool m_dragging = false;
    int m_thumbTop = ArrowHeight;
    int m_thumbHeight = RestingThumbHeight;
    QTimer m_delayTimer;
    QTimer m_repeatTimer;
};
