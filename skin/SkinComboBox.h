#pragma once

#include <QColor>
#include <QComboBox>
#include <QPixmap>

// A drop-down list whose closed face is a skin bitmap with the selected text drawn on it.
class SkinComboBox : public QComboBox {
    Q_OBJECT
public:
    // The object name is the control ID in decimal, so that owners and tests find it by number.
    SkinComboBox(QWidget* parent, int controlId, const QRect& rect);

    int ControlId() const { return m_controlId; }

    void SetFaceImage(int bitmapId);

    // The closed face; none until an owner gives one. Colours are assigned directly.
    QPixmap faceImage;
    QColor faceTextColour, listTextColour;
    QColor faceBackColour, listBackColour;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showPopup() override;

private:
    const int m_controlId;
};
