#include "library/ui/CardLibrary.h"

#include "library/DriveProvider.h"
#include "library/RecordingCatalogue.h"
#include "library/ui/CalendarDialog.h"
#include "library/ui/DriveDialog.h"
#include "library/ui/FileListView.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "skin/MessageBox.h"

#include <QAbstractButton>
#include <QFileDialog>

CardLibrary::CardLibrary(const DriveProvider& drives, const QString& cardRoot, FileListView& list,
                         LibraryButtons buttons, QWidget* dialogParent)
    : QObject(dialogParent), m_drives(drives), m_list(list), m_buttons(buttons),
      m_dialogParent(dialogParent), m_commandLineCard(cardRoot) {}

std::optional<KindFilter> CardLibrary::CurrentKind() const {
    for (size_t button = 0; button < m_buttons.kinds.size(); ++button)
        if (m_buttons.kinds[button]->isChecked())
            return KindFilter(KindAll + int(button));
    return std::nullopt;
}

bool CardLibrary::DateFilterOn() const {
    return m_buttons.calendar->isChecked();
}

void CardLibrary::RefreshList(KindFilter kind, bool dateFilter) {
    m_list.DeleteAllItems();
    const int checked = kind >= KindAll && kind <= KindMotion ? kind - KindAll : 0;
    for (size_t button = 0; button < m_buttons.kinds.size(); ++button)
        m_buttons.kinds[button]->setChecked(int(button) == checked);
    m_list.SetRows(ListRecordings(m_libraryRoot, m_folderMode, KindFilter(KindAll + checked),
                                  dateFilter, m_selectedDate));
}

void CardLibrary::RefreshWithCurrentFilters() {
    if (const auto kind = CurrentKind())
        RefreshList(*kind, DateFilterOn());
}

bool CardLibrary::SelectCardDrive() {
    DriveDialog dialog(m_drives.RemovableDrives(), m_dialogParent);
    return dialog.exec() == QDialog::Accepted && TakeRoot(dialog.ChosenRoot());
}

bool CardLibrary::EnsureCardDrive() {
    const QList<DriveCandidate> drives = m_drives.RemovableDrives();
    if (drives.isEmpty()) {
        MessageBox::Tell(m_dialogParent, LoadLangString(StringId::NoCardDrive));
        return false;
    }
    if (m_libraryRoot.isEmpty() && (!SelectCardDrive() || m_libraryRoot.isEmpty()))
        return false;
    const QString driveRoot = m_drives.DriveRootOf(m_libraryRoot);
    const bool onRemovable = std::any_of(
        drives.cbegin(), drives.cend(), [&](const auto& drive) { return drive.root == driveRoot; });
    if (!onRemovable) {
        if (!SelectCardDrive())
            return false;
        m_buttons.folder->setChecked(false);
    }
    return true;
}

void CardLibrary::ScanDrives() {
    if (!m_commandLineCard.isEmpty())
        TakeRoot(m_commandLineCard);
    else if (!m_drives.RemovableDrives().isEmpty())
        SelectCardDrive();
}

bool CardLibrary::TakeRoot(const QString& root) {
    if (root == m_libraryRoot)
        return false;
    m_libraryRoot = root;
    m_cardRoot = root;
    m_folderMode = false;
    RefreshList(KindAll, false);
    return true;
}

bool CardLibrary::ForgetRemovedDrive(const QString& removedRoot) {
    if (removedRoot.isEmpty())
        return false;
    if (removedRoot == m_cardRoot)
        m_cardRoot.clear();
    if (!LiesOnDrive(removedRoot))
        return false;
    m_libraryRoot.clear();
    m_list.DeleteAllItems();
    for (QAbstractButton* button : m_buttons.kinds)
        button->setChecked(false);
    return true;
}

void CardLibrary::FollowMovedCard(const QString& oldRoot, const QString& newRoot) {
    if (m_cardRoot == oldRoot)
        m_cardRoot = newRoot;
    if (!LiesOnDrive(oldRoot))
        return;
    // A folder chosen on the old file system is gone with it.
    m_buttons.folder->setChecked(false);
    TakeRoot(newRoot);
}

bool CardLibrary::LiesOnDrive(const QString& driveRoot) const {
    if (!m_folderMode)
        return m_libraryRoot == driveRoot;
    // A chosen folder names no trailing '/', a drive's root always does.
    const QString folder =
        m_libraryRoot.endsWith(u'/') ? m_libraryRoot : m_libraryRoot + QLatin1Char('/');
    return folder.startsWith(driveRoot);
}

void CardLibrary::OnKindButton(KindFilter kind) {
    m_buttons.checkAll->setChecked(false);
    for (size_t button = 0; button < m_buttons.kinds.size(); ++button)
        m_buttons.kinds[button]->setChecked(KindAll + int(button) == kind);
    if (m_libraryRoot.isEmpty() && !SelectCardDrive())
        return;
    if (!m_libraryRoot.isEmpty())
        RefreshList(kind, DateFilterOn());
}

void CardLibrary::OnCalendarToggle() {
    if (!m_buttons.calendar->isChecked()) {
        if (const auto kind = CurrentKind())
            RefreshList(*kind, false);
        return;
    }
    CalendarDialog dialog(m_dialogParent);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    m_buttons.calendar->setChecked(chosen);
    if (!chosen)
        return;
    m_selectedDate = dialog.ChosenDay();
    if (const auto kind = CurrentKind())
        RefreshList(*kind, true);
}

void CardLibrary::OnFolderToggle() {
    if (!m_buttons.folder->isChecked()) {
        m_folderMode = false;
        // Back to the card, when there is one to go back to; otherwise the list shows nothing
        // rather than a folder that is no longer chosen.
        m_libraryRoot = m_cardRoot;
        if (m_libraryRoot.isEmpty())
            m_list.DeleteAllItems();
        else
            RefreshList(CurrentKind().value_or(KindAll), DateFilterOn());
        return;
    }
    QFileDialog browser(m_dialogParent, LoadLangString(StringId::SelectFolder));
    browser.setFileMode(QFileDialog::Directory);
    browser.setOption(QFileDialog::ShowDirsOnly);
    if (browser.exec() != QDialog::Accepted || browser.selectedFiles().isEmpty()) {
        m_folderMode = false;
        m_buttons.folder->setChecked(false);
        return;
    }
    m_libraryRoot = browser.selectedFiles().constFirst();
    m_folderMode = true;
    RefreshList(CurrentKind().value_or(KindAll), DateFilterOn());
}

void CardLibrary::OnCheckAll() {
    const bool checked = m_buttons.checkAll->isChecked();
    for (int row = 0; row < m_list.ItemCount(); ++row)
        m_list.SetChecked(row, checked);
}
