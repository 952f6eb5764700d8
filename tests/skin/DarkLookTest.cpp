#include "skin/DarkLook.h"

#include "skin/MessageBox.h"
#include "skin/SkinColours.h"
#include "skin/SkinDialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

// A window that paints the skin itself, as the main window does.
class SkinnedWindow : public QWidget {
    Q_OBJECT
};

// The look is set once for the whole program, so the test program sets it once too.
class DarkLook : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        designed = new QPalette(QApplication::palette());
        ApplyDarkLook(*qApp, {SkinnedWindow::staticMetaObject.className()});
    }
    static void TearDownTestSuite() { delete designed; }

    static QPalette* designed;
};
QPalette* DarkLook::designed = nullptr;

TEST_F(DarkLook, QtsOwnWindowsWearTheSkinsColoursAndSkinnedOnesKeepTheirs) {
    SkinDialog settings;
    SkinnedWindow main;
    auto* list = new QTableView(&main);
    // A class's colours reach a window when it is polished, before it first shows.
    settings.ensurePolished();
    main.ensurePolished();
    for (const QWidget* skinned : std::initializer_list<const QWidget*>{&settings, &main, list}) {
        EXPECT_EQ(skinned->palette().color(QPalette::Window), designed->color(QPalette::Window));
        EXPECT_EQ(skinned->palette().color(QPalette::Text), designed->color(QPalette::Text));
    }

    // Boxes belong to a skinned window and are still dark.
    QPalette box;
    const MessageBox::Answerer previous = MessageBox::SetAnswerer(
        [&box](const QMessageBox& shown) -> std::optional<MessageBox::Button> {
            box = shown.palette();
            return QMessageBox::Ok;
        });
    MessageBox::Tell(&main, QStringLiteral("Nothing was deleted."));
    MessageBox::SetAnswerer(previous);
    EXPECT_EQ(box.color(QPalette::Window), SkinColour::Back);
    EXPECT_EQ(box.color(QPalette::WindowText), SkinColour::Text);
    EXPECT_EQ(box.color(QPalette::ButtonText), SkinColour::Text);
    EXPECT_EQ(box.color(QPalette::Highlight), SkinColour::Signal);
}

TEST_F(DarkLook, FileDialogShowsSizesAndDatesWhole) {
    QTemporaryDir folder;
    QFile recording(folder.filePath(QStringLiteral("20261201_081500_NOR.AVI")));
    ASSERT_TRUE(recording.open(QIODevice::WriteOnly));
    // Sparse, shown as "1023.29 MiB": about the widest size text there is.
    ASSERT_TRUE(recording.resize(1'073'000'000));
    recording.close();

    QFileDialog dialog(nullptr, QString(), folder.path());
    dialog.setViewMode(QFileDialog::Detail);
    dialog.show();
    auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_TRUE(details);
    auto* files = qobject_cast<QFileSystemModel*>(details->model());
    ASSERT_TRUE(files);
    ASSERT_TRUE(QTest::qWaitFor([&] { return files->rowCount(details->rootIndex()) == 1; }));
    QApplication::processEvents();
    // The width each cell of the file's row asks for, its text and the style's margins.
    QStyleOptionViewItem cell;
    cell.initFrom(details);
    cell.font = details->font();
    for (int column = 1; column < details->header()->count(); ++column) {
        const QModelIndex index = files->index(0, column, details->rootIndex());
        SCOPED_TRACE(index.data().toString().toStdString());
        EXPECT_GE(details->header()->sectionSize(column),
                  details->itemDelegateForIndex(index)->sizeHint(cell, index).width());
    }
    // The columns fit beside the name without a scroll bar.
    EXPECT_LE(details->header()->length(), details->viewport()->width());
}

} // namespace

#include "DarkLookTest.moc"
