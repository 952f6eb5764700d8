#pragma once

#include <QStyledItemDelegate>

class FileListView;

// Paints the file list's cells: centred text in the skin's colours, check boxes from the skin.
class RecordingRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit RecordingRowDelegate(FileListView* list);

    static QRect CheckBoxRect(const QRect& cell);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    void PaintCheckBox(QPainter* painter, const QRect& cell, bool checked, bool enabled) const;

    FileListView* m_list;
};
