#pragma once

#include <QColor>
#include <QLineEdit>

// An edit box in the skin's dark colours, or on the skin's field pattern.
class SkinLineEdit : public QLineEdit {
    Q_OBJECT
public:
    // The object name is the control ID in decimal, so that owners and tests find it by number.
    SkinLineEdit(QWidget* parent, int controlId, const QRect& rect);

    int ControlId() const { return m_controlId; }

    // Draws the field on the skin's edit pattern in place of the plain background colour.
    void SetPatternImage();

    // Assigned directly by owners; taken at the next paint.
    QColor textColour;
    QColor backColour;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ApplyColours();

    const int m_controlId;
    QPixmap m_pattern;
};
