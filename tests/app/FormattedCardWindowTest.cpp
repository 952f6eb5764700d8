#include "app/ControlIds.h"
#include "app/MainWindow.h"
#include "library/FakeDriveProvider.h"
#include "library/ui/FileListView.h"
#include "skin/SkinButton.h"
#include "tests/support/FindControl.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// After a format udisks2 mounts the card under its new label, at another root: the window keeps
// it as the same card, listing from the new root, instead of letting go of a "removed" card.
TEST(FormattedCardWindow, KeepsTheCardWhenItComesBackAtAnotherRoot) {
    const QString testCard = qEnvironmentVariable("KARVENNA_TEST_CARD") + '/';
    QTemporaryDir mountedAgain;
    const QString newRoot = mountedAgain.path() + '/';
    ASSERT_TRUE(QDir(newRoot).mkpath("Recordings"));
    ASSERT_TRUE(QFile::copy(testCard + "Recordings/20261201_081500_NOR.AVI",
                            newRoot + "Recordings/20261201_081500_NOR.AVI"));

    FakeDriveProvider drives;
    drives.SetRemovableDrives({{testCard, "QX5"}});
    MainWindow window(testCard, &drives);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* list = FindControl<FileListView>(&window, ControlId::FileList);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->ItemCount() == 6; }));

    drives.SetRemovableDrives({{newRoot, "KARVENNADVR"}});
    window.OnCardMoved(testCard, newRoot);
    EXPECT_EQ(window.LibraryRoot(), newRoot);
    EXPECT_EQ(list->ItemCount(), 1);
    EXPECT_TRUE(FindControl<SkinButton>(&window, ControlId::KindAll)->isChecked());

    // A removal of the old root reported late changes nothing; one of the new root lets go.
    window.OnDriveRemoved(testCard);
    EXPECT_EQ(window.LibraryRoot(), newRoot);
    window.OnDriveRemoved(newRoot);
    EXPECT_TRUE(window.LibraryRoot().isEmpty());
}

} // namespace
