#include "library/ui/FileListView.h"

#include "library/ui/FileListScrollBar.h"
#include "library/ui/RecordingRowDelegate.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr QColor ListBackground(33, 33, 33);
constexpr QColor GridColour(44, 44, 44);
} // namespace

FileListView::FileListView(QWidget* parent) : FileListView(parent, nullptr) {}

FileListView::FileListView(QWidget* parent, FileListView& main) : FileListView(parent, &main) {}

FileListView::FileListView(QWidget* parent, FileListView* main)
    : QTableView(parent), m_rows(main ? main->m_rows : new RecordingRowsModel(this)) {
    setModel(m_rows);
    if (main) {
        setSelectionModel(main->selectionModel());
        m_twin = main;
        main->m_twin = this;
    }
    setItemDelegate(new RecordingRowDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(RowHeight);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int column = 0; column < RecordingColumnCount; ++column)
        setColumnWidth(column, ColumnWidths[column]);
    setColumnHidden(ColumnPath, true);
    setShowGrid(false);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setEditTriggers(NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(ScrollPerItem);
    setFrameShape(QFrame::NoFrame);
    setWordWrap(false);
    // A fixed-pitch Korean-capable face, small enough that a date fits its narrow column.
    QFont font(QStringLiteral("Noto Sans Mono CJK KR"));
    font.setPixelSize(11);
    font.setWeight(QFont::Normal);
    setFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, ListBackground);
    colours.setColor(QPalette::Window, ListBackground);
    setPalette(colours);
    connect(this, &QTableView::clicked, this,
            [this](const QModelIndex& cell) { emit rowClicked(cell.row(), cell.column()); });
    connect(this, &QTableView::doubleClicked, this,
            [this](const QModelIndex& cell) { emit rowDoubleClicked(cell.row(), cell.column()); });
}

FileListView::~FileListView() {
    delete m_scrollBar;
}

void FileListView::CreateScrollBar() {
    delete m_scrollBar;
    m_scrollBar = new FileListScrollBar(*this, RowHeight);
}

FileListScrollBar* FileListView::ScrollBar() const {
    return m_scrollBar;
}

void FileListView::SetCurrentIndexSource(std::function<int()> currentIndex) {
    m_currentIndex = std::move(currentIndex);
}

int FileListView::CurrentIndex() const {
    return m_currentIndex ? m_currentIndex() : -1;
}

int FileListView::ItemCount() const {
    return m_rows->rowCount();
}

void FileListView::SetRows(QList<RecordingEntry> rows) {
    m_activeRow = -1;
    for (RecordingEntry& row : rows)
        row.checked = false;
    m_rows->SetRows(std::move(rows));
}

void FileListView::DeleteAllItems() {
    m_activeRow = -1;
    m_rows->SetRows({});
}

QString FileListView::ItemText(int row, int column) const {
    return m_rows->Text(row, column);
}

bool FileListView::IsChecked(int row) const {
    const RecordingEntry* entry = m_rows->Row(row);
    return entry && entry->checked;
}

void FileListView::SetChecked(int row, bool checked) {
    m_rows->SetChecked(row, checked);
}

int FileListView::FirstSelectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    int first = -1;
    for (const QModelIndex& row : rows)
        if (first < 0 || row.row() < first)
            first = row.row();
    return first;
}

void FileListView::DeselectAll() {
    selectionModel()->clear();
}

void FileListView::SelectRow(int row) {
    if (row >= 0 && row < ItemCount())
        selectionModel()->select(m_rows->index(row, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void FileListView::ShowRow(int row) {
    DeselectAll();
    SelectRow(row);
    for (FileListView* list : {this, m_twin.data()})
        if (list)
            list->scrollTo(m_rows->index(row, ColumnName));
}

void FileListView::RepaintRows() {
    for (FileListView* list : {this, m_twin.data()})
        if (list)
            list->viewport()->update();
}

QRect FileListView::CheckBoxRect(int row) const {
    return RecordingRowDelegate::CheckBoxRect(visualRect(m_rows->index(row, ColumnCheck)));
}

bool FileListView::event(QEvent* event) {
    // One step per press of Tab: a held key must not race through the whole card.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && key->isAutoRepeat())
            return true;
    }
    return QTableView::event(event);
}

// Tab walks the check boxes row by row (Shift+Tab backwards), selecting each box's row; past the
// last box (or before the first) the focus moves on to the next control.
bool FileListView::focusNextPrevChild(bool next) {
    if (m_activeRow < 0)
        m_activeRow = next ? 0 : ItemCount() - 1;
    else
        m_activeRow += next ? 1 : -1;
    if (m_activeRow < 0 || m_activeRow >= ItemCount()) {
        m_activeRow = -1;
        return QWidget::focusNextPrevChild(next);
    }
    DeselectAll();
    SelectRow(m_activeRow);
    scrollTo(m_rows->index(m_activeRow, ColumnCheck));
    return true;
}

void FileListView::focusOutEvent(QFocusEvent* event) {
    m_activeRow = -1;
    QTableView::focusOutEvent(event);
}

void FileListView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex cell = indexAt(event->position().toPoint());
    m_activeRow = cell.column() == ColumnCheck ? cell.row() : -1;
    // A box toggles only when the click is inside it and it lies wholly in view, so that a
    // row half scrolled away is not marked by accident.
    if (event->button() == Qt::LeftButton && cell.column() == ColumnCheck) {
        const QRect box = CheckBoxRect(cell.row());
        if (box.contains(event->position().toPoint()) &&
            viewport()->rect().adjusted(-1, -1, 1, 1).contains(box))
            SetChecked(cell.row(), !IsChecked(cell.row()));
    }
    QTableView::mousePressEvent(event);
}

void FileListView::paintEvent(QPaintEvent* event) {
    QPainter(viewport()).fillRect(event->rect(), ListBackground);
    QTableView::paintEvent(event);
    QPainter grid(viewport());
    grid.setPen(GridColour);
    const int height = viewport()->height();
    int x = 0;
    for (int column = 0; column < ColumnCheck + 1; ++column) {
        x += ColumnWidths[column];
        grid.drawLine(x - 1, 0, x - 1, height);
    }
    for (int y = 0; y < height; y += RowHeight)
        grid.drawLine(0, y, viewport()->width(), y);
}
