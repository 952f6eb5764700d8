#include "library/ui/RecordingRowDelegate.h"

#include "library/RecordingCatalogue.h"
#include "library/ui/FileListView.h"
#include "skin/BitmapIds.h"
#include "skin/SkinBitmaps.h"
#include "skin/SkinColours.h"

#include <QPainter>

namespace {

constexpr QColor RowBackground(33, 33, 33);
constexpr QColor SelectedBackground(71, 71, 71);
constexpr QColor TextColour(150, 150, 150);

constexpr int TextIndent = 5;
// A recording the camera did not finish: an amber dot before its name.
constexpr QColor UnfinishedMark(232, 168, 32);
constexpr int UnfinishedMarkSize = 6;
// A recording of kind Event: a flag in the accent colour in the name cell's top right corner.
constexpr int EventFlagSize = 7;

bool IsEvent(const QString& name) {
    return IsListedName(name, KindCode(RecordingKind::Event), std::nullopt);
}
constexpr int CheckSlotWidth = 20;
constexpr int CheckImageTop = 3;
constexpr QSize CheckImageSize(18, 16);

} // namespace

RecordingRowDelegate::RecordingRowDelegate(FileListView* list)
    : QStyledItemDelegate(list), m_list(list) {}

QRect RecordingRowDelegate::CheckBoxRect(const QRect& cell) {
    const int slotLeft = cell.left() + (cell.width() - CheckSlotWidth) / 2;
    return {QPoint(slotLeft, cell.top() + CheckImageTop), CheckImageSize};
}

void RecordingRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const QRect cell = option.rect;
    const bool enabled = option.state & QStyle::State_Enabled;
    if (index.column() == ColumnCheck) {
        // The check cell keeps the dark background on a selected row.
        painter->fillRect(cell, enabled ? RowBackground : option.palette.button().color());
        PaintCheckBox(painter, cell, m_list->IsChecked(index.row()), enabled);
        return;
    }
    const bool selected = option.state & (QStyle::State_Selected | QStyle::State_HasFocus);
    QColor text = TextColour;
    if (enabled) {
        painter->fillRect(cell, selected ? SelectedBackground : RowBackground);
    } else {
        painter->fillRect(cell, option.palette.button());
        text = option.palette.windowText().color();
    }
    if (index.row() == m_list->CurrentIndex())
        text = SkinColour::Signal;
    const QRect textArea = cell.adjusted(TextIndent, 0, 0, 0);
    const QString label =
        option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, textArea.width());
    painter->setPen(text);
    painter->setFont(option.font);
    painter->drawText(textArea, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, label);
    if (const RecordingEntry* row = m_list->Row(index.row());
        index.column() == ColumnName && row && IsEvent(row->name)) {
        const QPoint corner = cell.topRight();
        const QPoint flag[] = {corner, corner - QPoint(EventFlagSize, 0),
                               corner + QPoint(0, EventFlagSize)};
        painter->save();
        painter->setPen(Qt::NoPen);
        painter->setBrush(SkinColour::Signal);
        painter->drawPolygon(flag, 3);
        painter->restore();
    }
    if (index.column() == ColumnName && m_list->HoldsDrivingEvent(index.row())) {
        // A hard brake, an impact or the like in the recording: a bar at the name's right end.
        painter->fillRect(QRect(cell.right() - 3, cell.top() + 6, 3, cell.height() - 10),
                          SkinColour::Signal);
    }
    if (index.column() == ColumnName && m_list->IsUnfinished(index.row())) {
        const int top = cell.top() + (option.fontMetrics.height() - UnfinishedMarkSize) / 2 + 1;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(UnfinishedMark);
        painter->drawEllipse(QRect(cell.left() + 2, top, UnfinishedMarkSize, UnfinishedMarkSize));
        painter->restore();
    }
}

void RecordingRowDelegate::PaintCheckBox(QPainter* painter, const QRect& cell, bool checked,
                                         bool enabled) const {
    static const QPixmap strip = SkinBitmapKeyed(BitmapId::CheckBoxStrip, SkinColour::CheckBoxKey);
    const int image = (checked ? 1 : 0) + (enabled ? 0 : 2);
    const QRect source(QPoint(image * CheckImageSize.width(), 0), CheckImageSize);
    painter->drawPixmap(CheckBoxRect(cell).topLeft(), strip, source);
}
