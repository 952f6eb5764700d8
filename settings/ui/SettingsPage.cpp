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
#include <limits>

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
    m_designRects.insert(label, rect);
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

namespace {

// What a text takes when it wraps at `width`.
QSize TextSize(const QWidget* label, int width) {
    return QFontMetrics(label->font())
        .boundingRect(QRect(0, 0, width, 1000), Qt::TextWordWrap,
                      static_cast<const SkinLabel*>(label)->text())
        .size();
}

int TextHeight(const QWidget* label, int width) {
    return TextSize(label, width).height();
}

} // namespace

QRect SettingsPage::DesignRect(const QWidget* control) const {
    return m_designRects.value(control, control->geometry());
}

void SettingsPage::KeepTextsClearOfControls() {
    constexpr int Gap = 4;
    // Smaller than this cannot be read on the skin.
    constexpr int MinFontHeight = 12;
    const QList<QWidget*> controls = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (SkinLabel* label : findChildren<SkinLabel*>(Qt::FindDirectChildrenOnly)) {
        QRect rect = DesignRect(label);
        // Narrower than a control to its right; as tall, about its middle, as the controls
        // above and below leave it.
        int halfRoom = std::numeric_limits<int>::max() / 2;
        const int middle = rect.center().y();
        for (const QWidget* control : controls) {
            const QRect other = DesignRect(control);
            if (control == label || control->isHidden())
                continue;
            if (other.x() > rect.x() && other.intersects(rect))
                rect.setRight(std::min(rect.right(), other.x() - Gap - 1));
            else if (other.left() <= rect.right() && other.right() >= rect.left())
                // A text above or below grows about its middle too, as far as its lines need.
                halfRoom = std::min(
                    halfRoom,
                    m_designRects.contains(control)
                        ? std::abs(other.center().y() - middle) -
                              std::max(other.height(), TextHeight(control, control->width())) / 2
                    : other.top() > middle ? other.top() - middle
                                           : middle - other.bottom());
        }
        const int room = std::max(rect.height(), 2 * halfRoom - 1);
        label->setGeometry(rect);
        const auto needed = [&] { return TextSize(label, rect.width()); };
        // A smaller font before more room than there is.
        while ((needed().height() > room || needed().width() > rect.width()) &&
               label->FontHeight() > MinFontHeight)
            label->SetFontHeight(label->FontHeight() - 1);
        FitText(label);
        qDebug() << label->text() << rect << room << halfRoom << label->FontHeight();
    }
}

SkinLabel* SettingsPage::Heading(int id, const QRect& rect, const QString& text) {
    SkinLabel* heading = Label(id, rect, text);
    heading->textColour = HeadingColour;
    heading->SetFontWeight(700);
    heading->SetFontHeight(17);
    FitText(heading);
    return heading;
}

void SettingsPage::AddLabels(std::span<const TextRow> rows) {
    for (const TextRow& row : rows)
        Label(row.id, row.rect, LoadLangString(row.stringId));
}

void SettingsPage::AddHeadings(std::span<const TextRow> rows) {
    for (const TextRow& row : rows)
        Heading(row.id, row.rect, LoadLangString(row.stringId));
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
