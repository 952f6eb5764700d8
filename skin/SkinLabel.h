#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>

// A text over the skin: no background of its own unless an owner gives it a colour or an image.
class SkinLabel : public QLabel {
    Q_OBJECT
public:
    // The object name is the control ID in decimal, so that owners and tests find it by number.
    SkinLabel(QWidget* parent, int controlId, const QRect& rect, const QString& text = {});

    int ControlId() const { return m_controlId; }

    // Font cell height in pixels and weight (400 regular, 700 bold).
    void SetFontHeight(int height);
    int FontHeight() const { return m_fontHeight; }
    void SetFontWeight(int weight);
    void SetUnderline();
    // A skin bitmap drawn under the text at its own size, for texts that sit in a frame of their
    // own; 0 removes it.
    void SetBackgroundImage(int bitmapId);

    // Lets the owner's background show again under a text, a colour or a font that changed.
    void RefreshBackground();

    // Owners assign the colours directly and then call RefreshBackground. An invalid
    // backColour means no background: the owner's skin shows through.
    QColor textColour;
    QColor backColour;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ApplyFont();

    const int m_controlId;
    int m_fontHeight = 16;
    int m_fontWeight = 400;
    bool m_underline = false;
    QPixmap m_backImage;
};
