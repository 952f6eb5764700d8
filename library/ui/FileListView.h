#pragma once

#include "library/ui/RecordingRowsModel.h"

#include <QPointer>
#include <QTableView>
#include <functional>

class FileListScrollBar;

// The dark file list: five columns (the last, the full path, never shown), no header, 21-pixel
// rows, a check box in column 3, and the row of the playing recording in the signal colour.
class FileListView : public QTableView {
    Q_OBJECT
public:
    static constexpr int RowHeight = 21;
    static constexpr int ColumnWidths[RecordingColumnCount] = {163, 51, 54, 40, 0};

    explicit FileListView(QWidget* parent = nullptr);
    // A second list that shows the rows of `main`: the same recordings, check marks and selection
    // at the same indexes, whichever of the two the user works in.
    // The twin must be destroyed before `main`.
    FileListView(QWidget* parent, FileListView& main);
    ~FileListView() override;

    // Puts the skinned scroll bar beside the list, in the list's parent, replacing an earlier
    // one; the list owns it. Null until made.
    void CreateScrollBar();
    FileListScrollBar* ScrollBar() const;

    // The list asks for the playing row while it draws; -1 means none.
    void SetCurrentIndexSource(std::function<int()> currentIndex);
    int CurrentIndex() const;

    int ItemCount() const;
    // Replaces every row; each new row carries an unchecked box.
    void SetRows(QList<RecordingEntry> rows);
    void DeleteAllItems();
    // Null outside the rows.
    const RecordingEntry* Row(int row) const { return m_rows->Row(row); }
    bool IsUnfinished(int row) const { return m_rows->Unfinished(row); }
    // The recordings (by name) in which a hard brake, an impact or the like was found; kept
    // across rebuilds of the rows, which come and go with the filters.
    void SetEventNames(QSet<QString> names) { m_rows->SetEventNames(std::move(names)); }
    bool HoldsDrivingEvent(int row) const { return m_rows->HoldsDrivingEvent(row); }
    // A column's text as the list shows it (column 3: "1" checked, "0" not); empty outside.
    QString ItemText(int row, int column) const;
    bool IsChecked(int row) const;
    void SetChecked(int row, bool checked);

    int FirstSelectedRow() const;
    void DeselectAll();
    void SelectRow(int row);
    // Makes row the only selected one and scrolls it into view, here and in the twin list.
    void ShowRow(int row);
    // Paints the rows again here and in the twin list, for a playing row that changed.
    void RepaintRows();

    // Where row's check box is drawn, in viewport coordinates.
    QRect CheckBoxRect(int row) const;

    // Typed characters find nothing: a letter must not move the selection that Play plays.
    void keyboardSearch(const QString&) override {}

signals:
    // A click or double click on a row, after any toggle of its check box.
    void rowClicked(int row, int column);
    void rowDoubleClicked(int row, int column);

protected:
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    FileListView(QWidget* parent, FileListView* main);

    // The main list's own, shared by its twin; the twin must go first.
    RecordingRowsModel* m_rows;
    // The other list showing the same rows, if any.
    QPointer<FileListView> m_twin;
    QPointer<FileListScrollBar> m_scrollBar;
    std::function<int()> m_currentIndex;
    // The row whose check box has the keyboard, set by a click on a box's cell or by Tab; -1
    // when none has.
    int m_activeRow = -1;
};
