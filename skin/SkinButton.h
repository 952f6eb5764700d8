#pragma once

#include "skin/BitmapIds.h"

#include <QAbstractButton>
#include <QPixmap>

// A push button, check box or radio button drawn entirely from five skin bitmaps.
class SkinButton : public QAbstractButton {
    Q_OBJECT
public:
    enum Mode { PushButton = 0, CheckBox = 2, RadioButton = 4 };

    // The object name is the control ID in decimal, so that owners and tests find it by number.
    SkinButton(QWidget* parent, int controlId, const QRect& rect, Mode mode = PushButton);

    int ControlId() const { return m_controlId; }
    Mode GetMode() const { return m_mode; }

    // Bitmap IDs of the normal, pressed, hover, disabled and focus looks. A focus of 0 means none;
    // a disabled look of 0 or equal to the normal one is made from the normal look.
    void SetImages(int normal, int pressed, int hover, int disabled, int focus);
    void SetImages(const ButtonLooks& looks);
    void SetTip(const QString& text);

    // A push button stays unchecked whatever it is told.
    void SetCheck(int check);
    int GetCheck() const { return isChecked() ? 1 : 0; }

    // Radio buttons form groups: a group runs from a button that starts one up to the next such
    // button among its siblings. Checking a radio button unchecks the others of its group.
    void SetGroupStart(bool startsGroup) { m_startsGroup = startsGroup; }
    bool StartsGroup() const { return m_startsGroup; }

signals:
    // The click notification to the owner, after any check change.
    void command(int controlId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void nextCheckState() override;

private:
    void UncheckGroupSiblings();
    void DrawLook(QPainter& painter, const QPixmap& look) const;

    const int m_controlId;
    const Mode m_mode;
    bool m_startsGroup = false;
    bool m_hovering = false;
    bool m_pressedWithCapture = false;
    QPixmap m_normal, m_pressed, m_hover, m_disabled, m_focus;
};
