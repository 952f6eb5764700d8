#include "library/ui/CardLibrary.h"

#include "library/DriveProvider.h"
#include "library/RecordingCatalogue.h"
#include "library/ui/CalendarDialog.h"
#include "library/ui/DriveDialog.h"
#include "library/ui/FileListView.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "skin/MessageBox.h"
#include "skin/SkinColours.h"
#include "skin/SkinLabel.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFileDialog>

namespace {

constexpr int SelectedDayWidth = 100;
constexpr int SelectedDayGap = 6;
constexpr int SelectedDayFontHeight = 14;

// The days the recordings' names start with; a name that starts with no date marks none.
QList<QDate> RecordedDays(const QList<RecordingEntry>& recordings) {
    QList<QDate> days;
    for (const RecordingEntry& recording : recordings) {
        const QDate day = QDate::fromString(recording.name.left(8), QStringLiteral("yyyyMMdd"));
        if (day.isValid() && (days.isEmpty() || days.constLast() != day))
            days.append(day);
    }
    return days;
}

// Right-aligned just left of the calendar and folder buttons, on their line.
QRect SelectedDayPlace(const LibraryButtons& buttons) {
    const QRect calendar = buttons.calendar->geometry();
    const int right = std::min(calendar.left(), buttons.folder->geometry().left()) - SelectedDayGap;
    return {right - SelectedDayWidth, calendar.top(), SelectedDayWidth, calendar.height()};
}

} // namespace

CardLibrary::CardLibrary(const DriveProvider& drives, const QString& cardRoot, FileListView& list,
                         LibraryButtons buttons, QWidget* dialogParent)
    : QObject(dialogParent), m_drives(drives), m_list(list), m_buttons(buttons),
      m_dialogParent(dialogParent), m_commandLineCard(cardRoot),
      m_selectedDay(new SkinLabel(buttons.calendar->parentWidget(), SelectedDayId, {})) {
    m_selectedDay->SetFontHeight(SelectedDayFontHeight);
    m_selectedDay->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_selectedDay->textColour = SkinColour::Signal;
    // The full-screen panel's toggle sets this one too; either way the day follows the filter.
    connect(buttons.calendar, &QAbstractButton::toggled, this, &CardLibrary::ShowSelectedDay);
    buttons.calendar->installEventFilter(this);
    ShowSelectedDay();
}

std::optional<KindFilter> CardLibrary::CurrentKind() const {
    for (size_t button = 0; button < m_buttons.kinds.size(); ++button)
        if (m_buttons.kinds[button]->isChecked())
            return KindFilter(KindAll + int(button));
    return std::nullopt;
}

bool CardLibrary::DateFilterOn() const {
    return m_buttons.calendar->isChecked();
}

void CardLibrary::ShowSelectedDay() {
    m_selectedDay->setGeometry(SelectedDayPlace(m_buttons));
    m_selectedDay->setText(QDateTime::fromSecsSinceEpoch(m_selectedDate)
                               .date()
                               .toString(QStringLiteral("yyyy.MM.dd")));
    m_selectedDay->setVisible(DateFilterOn() && m_selectedDate != 0 &&
                              !m_buttons.calendar->isHidden());
}

bool CardLibrary::eventFilter(QObject*, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Move || type == QEvent::Show || type == QEvent::Hide)
        ShowSelectedDay();
    return false;
}

void CardLibrary::RefreshList(KindFilter kind, bool dateFilter) {
    m_list.DeleteAllItems();
    const int checked = kind >= KindAll && kind <= KindMotion ? kind - KindAll : 0;
    for (size_t button = 0; button < m_buttons.kinds.size(); ++button)
        m_buttons.kinds[button]->setChecked(int(button) == checked);
    m_list.SetRows(ListRecordings(m_libraryRoot, m_folderMode, KindFilter(KindAll + checked),
                                  dateFilter, m_selectedDate));
    emit listRefreshed();
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
    emit listRefreshed();
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
    CalendarDialog dialog(RecordedDays(ListRecordings(m_libraryRoot, m_folderMode,
                                                      CurrentKind().value_or(KindAll), false, 0)),
                          m_dialogParent);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    if (chosen)
        m_selectedDate = dialog.ChosenDay();
    m_buttons.calendar->setChecked(chosen);
    if (!chosen)
        return;
    ShowSelectedDay();
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
