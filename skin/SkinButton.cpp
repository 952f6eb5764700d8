#include "skin/SkinButton.h"

#include "skin/SkinBitmaps.h"
#include "skin/SkinColours.h"
#include "skin/SkinFont.h"

#include <QMouseEvent>
#include <QPainter>

// The embossed caption of a disabled button: a light copy under the grey one.
static constexpr QColor EmbossLight{255, 255, 255};

SkinButton::SkinButton(QWidget* parent, int controlId, const QRect& rect, Mode mode)
    : QAbstractButton(parent), m_controlId(controlId), m_mode(mode) {
    setObjectName(QString::number(controlId));
    setGeometry(rect);
    setCheckable(mode != PushButton);
    setMouseTracking(true);
    setFont(SkinFont(17, 700));
    connect(this, &QAbstractButton::toggled, this, [this](bool checked) {
        if (checked && m_mode == RadioButton)
            UncheckGroupSiblings();
    });
    connect(this, &QAbstractButton::clicked, this, [this] { emit command(m_controlId); });
}

void SkinButton::SetImages(int normal, int pressed, int hover, int disabled, int focus) {
    m_normal = SkinBitmap(normal);
    m_pressed = SkinBitmap(pressed);
    m_hover = SkinBitmap(hover);
    m_focus = focus != 0 ? SkinBitmap(focus) : QPixmap();
    m_disabled =
        disabled != 0 && disabled != normal ? SkinBitmap(disabled) : DisabledLook(m_normal);
    update();
}

void SkinButton::SetImages(const ButtonLooks& looks) {
    SetImages(looks.normal, looks.pressed, looks.hover, looks.disabled, looks.focus);
}

void SkinButton::SetTip(const QString& text) {
    setToolTip(text);
}

void SkinButton::SetCheck(int check) {
    setChecked(check != 0);
}

void SkinButton::nextCheckState() {
    if (m_mode == CheckBox)
        setChecked(!isChecked());
    else if (m_mode == RadioButton)
        setChecked(true);
}

void SkinButton::UncheckGroupSiblings() {
    if (!parentWidget())
        return;
    QList<SkinButton*> group;
    for (QObject* child : parentWidget()->children()) {
        auto* button = qobject_cast<SkinButton*>(child);
        if (!button)
            continue;
        if (button->m_startsGroup) {
            if (group.contains(this))
                break;
            group.clear();
        }
        group.append(button);
    }
    for (SkinButton* button : group) {
        if (button != this && button->m_mode == RadioButton)
            button->setChecked(false);
    }
}

void SkinButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_hovering = false;
        QAbstractButton::mousePressEvent(event);
        m_pressedWithCapture = true;
        return;
    }
    QAbstractButton::mousePressEvent(event);
}

void SkinButton::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressedWithCapture) {
        QAbstractButton::mouseMoveEvent(event); // the pushed look follows the pointer
        return;
    }
    if (!m_hovering) {
        m_hovering = true;
        update();
    }
}

void SkinButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_pressedWithCapture = false;
    QAbstractButton::mouseReleaseEvent(event);
}

void SkinButton::leaveEvent(QEvent* event) {
    m_hovering = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void SkinButton::focusOutEvent(QFocusEvent* event) {
    m_pressedWithCapture = false;
    QAbstractButton::focusOutEvent(event);
}

void SkinButton::DrawLook(QPainter& painter, const QPixmap& look) const {
    if (look.isNull())
        painter.fillRect(rect(), palette().button());
    else
        painter.drawPixmap(0, 0, look);
}

void SkinButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect textRect = rect().adjusted(2, 0, -2, 0);
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    if (!isEnabled()) {
        DrawLook(painter, m_disabled);
        painter.setPen(EmbossLight);
        if (isChecked())
            textRect.translate(1, 1);
        painter.drawText(textRect, flags, text());
        painter.setPen(SkinColour::DisabledText);
        textRect.translate(-1, -1);
        painter.drawText(textRect, flags, text());
        return;
    }
    if (isDown() || isChecked()) {
        DrawLook(painter, m_pressed);
        textRect.translate(1, 1);
    } else if (m_hovering && !m_hover.isNull()) {
        DrawLook(painter, m_hover);
    } else if (hasFocus() && !m_focus.isNull()) {
        DrawLook(painter, m_focus);
    } else {
        DrawLook(painter, m_normal);
    }
    painter.setPen(SkinColour::Text);
    painter.drawText(textRect, flags, text());
}
