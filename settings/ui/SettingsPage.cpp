#include "settings/ui/SettingsPage.h"

#include "resources/LocalizedStrings.h"
#include "resources/StringTable.h"
#include "skin/SkinButton.h"
#include "skin/SkinComboBox.h"
#include "skin/SkinLabel.h"
#include "skin/SkinLineEdit.h"
#include "skin/SkinSlider.h"

#include <QPainter>
#include <QRegularExpression>

namespace {

constexpr QColor HeadingColour{211, 211, 211};
constexpr QColor ReadoutColour{248, 58, 10};
constexpr QColor ReadoutBack{33, 33, 33};
constexpr QColor SeparatorColour{71, 71, 71};
constexpr QSize SwitchSize{19, 19};
constexpr QSize ListSize{195, 22};
// The field's text stands this far in from the left and right, and this far down.
constexpr QMargins FieldTextMargins{3, 4, 3, 0};

} // namespace

void TwoWaySwitch::Set(bool isOn) const {
    (isOn ? on : off)->SetCheck(1);
}

bool TwoWaySwitch::IsOn() const {
    return on->isChecked();
}

bool TwoWaySwitch::IsOff() const {
    return off->isChecked();
}

int TwoWaySwitch::Value(int neither) const {
    if (IsOn())
        return 1;
    return IsOff() ? 0 : neither;
}

SettingsPage::SettingsPage(QWidget* container) : QWidget(container) {}

void SettingsPage::LoadPage(const SettingsRecord&, int) {}

void SettingsPage::CollectPage(SettingsRecord&) const {}

void SettingsPage::SetDefaults() {}

SkinLabel* SettingsPage::Label(int id, const QRect& rect, const QString& text) {
    auto* label = new SkinLabel(this, id, rect, text);
    label->SetFontWeight(400);
    label->SetFontHeight(16);
    FitText(label);
    label->show();
    return label;
}

void SettingsPage::FitText(SkinLabel* label) {
    // Wider for a word that would not fit, then taller, about the middle, for the lines the
    // text wraps to: the rectangles are made for English.
    const QFontMetrics metrics(label->font());
    QRect rect = label->geometry();
    for (const QString& word : label->text().split(QRegularExpression(QStringLiteral("\\s+"))))
        rect.setWidth(std::max(rect.width(), metrics.horizontalAdvance(word) + 1));
    const int needed =
        metrics.boundingRect(QRect(0, 0, rect.width(), 1000), Qt::TextWordWrap, label->text())
            .height();
    if (needed > rect.height()) {
        rect.moveTop(rect.top() - (needed - rect.height()) / 2);
        rect.setHeight(needed);
    }
    label->setGeometry(rect);
}

SkinLabel* SettingsPage::Heading(int id, const QRect& rect, const QString& text) {
    SkinLabel* heading = Label(id, rect, text);
    heading->textColour = HeadingColour;
    heading->SetFontWeight(700);
    heading->SetFontHeight(17);
    FitText(heading);
    return heading;
}

SkinLabel* SettingsPage::Readout(int id, const QRect& rect, const QString& text, bool underlined) {
    SkinLabel* readout = Label(id, rect, text);
    readout->textColour = ReadoutColour;
    readout->backColour = ReadoutBack;
    if (underlined)
        readout->SetUnderline();
    return readout;
}

TwoWaySwitch SettingsPage::Switch(int onId, QPoint onAt, int offId, QPoint offAt) {
    const TwoWaySwitch pair{
        new SkinButton(this, onId, QRect(onAt, SwitchSize), SkinButton::RadioButton),
        new SkinButton(this, offId, QRect(offAt, SwitchSize), SkinButton::RadioButton)};
    for (SkinButton* button : {pair.on, pair.off}) {
        button->SetImages(ButtonLook::Switch);
        button->show();
    }
    pair.on->SetGroupStart(true);
    return pair;
}

SkinComboBox* SettingsPage::List(int id, QPoint at, const QStringList& entries) {
    auto* list = new SkinComboBox(this, id, QRect(at, ListSize));
    list->SetFaceImage(BitmapId::ComboFace);
    list->addItems(entries);
    list->show();
    return list;
}

SkinSlider* SettingsPage::Slider(int id, const QRect& rect, int maximum, SkinLabel* readout,
                                 std::function<QString(int)> readoutText) {
    auto* slider = new SkinSlider(this, id, rect);
    slider->SetImages(SliderLook::SettingsValue);
    slider->setRange(0, maximum);
    connect(slider, &SkinSlider::hScroll, readout,
            [readout, readoutText](int, int code, int position) {
                if (code >= SliderCode::PageLeft && code <= SliderCode::Dragging)
                    readout->setText(readoutText(position));
            });
    slider->show();
    return slider;
}

SkinLineEdit* SettingsPage::TextField(int id, const QRect& rect) {
    auto* field = new SkinLineEdit(this, id, rect);
    field->SetPatternImage();
    field->setTextMargins(FieldTextMargins);
    field->show();
    return field;
}

SkinLineEdit* SettingsPage::ReadOnlyField(int id, const QRect& rect) {
    SkinLineEdit* field = TextField(id, rect);
    field->setReadOnly(true);
    return field;
}

SkinButton* SettingsPage::Button(int id, const QRect& rect, const ButtonLooks& looks) {
    auto* button = new SkinButton(this, id, rect);
    button->SetImages(looks);
    button->show();
    return button;
}

void SettingsPage::AddSeparator(int x1, int x2, int y, int russianY) {
    const int at = GetUILanguage() == StringTable::Russian ? russianY : y;
    m_separators.append(QLine(x1, at, x2, at));
    update();
}

void SettingsPage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(SeparatorColour);
    painter.drawLines(m_separators);
}
