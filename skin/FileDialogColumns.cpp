#include "skin/FileDialogColumns.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>

namespace {

// Room for a long name and the three columns beside it without a scroll bar.
constexpr QSize RoomyDialog{860, 480};

class ColumnWidener : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* dialog = qobject_cast<QFileDialog*>(watched))
                Widen(*dialog);
        return false;
    }

private:
    static void Widen(QFileDialog& dialog) {
        auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
        if (!details)
            return;
        // The name keeps the width the user drags it to; the others follow what they show.
        QHeaderView* header = details->header();
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        // Before QDialog's own show handling, which then centres it at this size.
        dialog.resize(dialog.size().expandedTo(RoomyDialog));
    }
};

} // namespace

void WidenFileDialogColumns(QApplication& application) {
    application.installEventFilter(new ColumnWidener(&application));
}
