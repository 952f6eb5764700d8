#pragma once

#include "library/RecordingEntry.h"

#include <QObject>
#include <array>
#include <optional>

class FileListView;
class DriveProvider;
class QAbstractButton;
class QWidget;
class SkinLabel;

// The buttons over the file list that decide what it shows.
struct LibraryButtons {
    std::array<QAbstractButton*, 4> kinds; // A, N, E, M
    QAbstractButton* calendar;
    QAbstractButton* folder;
    QAbstractButton* checkAll;
};

// Where the recordings come from and which of them the file list shows: the card's drive or a
// chosen folder, the kind and the day. Owned by the main window, which hands it the list and the
// buttons and forwards their clicks (each handler runs after the click flipped the button).
class CardLibrary : public QObject {
    Q_OBJECT
public:
    // The chosen day, shown left of the calendar's button group while the date filter is on and
    // the button is in view.
    static constexpr int SelectedDayId = 1150;

    // cardRoot: the card's root given on the command line, taken without asking; may be empty.
    CardLibrary(const DriveProvider& drives, const QString& cardRoot, FileListView& list,
                LibraryButtons buttons, QWidget* dialogParent);

    const QString& LibraryRoot() const { return m_libraryRoot; }
    bool FolderMode() const { return m_folderMode; }
    qint64 SelectedDate() const { return m_selectedDate; }
    // The kind of the first checked kind button, none when no kind button is checked.
    std::optional<KindFilter> CurrentKind() const;

    // Rebuilds the list from the library root for a kind, optionally only SelectedDate's day.
    void RefreshList(KindFilter kind, bool dateFilter);
    // Rebuilds the list as the buttons show it: the first checked kind, the day when the
    // calendar is on. Nothing happens while no kind button is checked.
    void RefreshWithCurrentFilters();
    // Asks for the card's drive; true when a new drive became the library root (the list is then
    // rebuilt showing every kind).
    bool SelectCardDrive();
    // Before the settings window opens: makes sure the library root lies on a removable drive,
    // asking for one when it does not (and leaving folder mode for it). False, after telling the
    // user when there is no removable drive at all, when the window is not to open.
    bool EnsureCardDrive();
    // At start-up: takes the command line's card, or asks for the card when there is a removable
    // drive at all.
    void ScanDrives();
    // True when the listed recordings lay on the removed drive: the root is then forgotten, the
    // list emptied and the kind buttons unchecked; the caller stops playback.
    bool ForgetRemovedDrive(const QString& removedRoot);
    // The card at oldRoot is mounted at newRoot now (after a format): when the list came from
    // it, the library takes the new root as the card's, listing every kind.
    void FollowMovedCard(const QString& oldRoot, const QString& newRoot);

    void OnKindButton(KindFilter kind);
    void OnCalendarToggle();
    void OnFolderToggle();
    void OnCheckAll();

signals:
    // The list was built anew from the library root, or emptied with it forgotten.
    void listRefreshed();

protected:
    // Keeps the chosen day beside the calendar button wherever a layout puts or hides it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool TakeRoot(const QString& root);
    bool DateFilterOn() const;
    void ShowSelectedDay();
    // True when the listed recordings lie on the drive of that root: the card itself, or in
    // folder mode the chosen folder when it is the drive's root or a folder inside it.
    bool LiesOnDrive(const QString& driveRoot) const;

    const DriveProvider& m_drives;
    FileListView& m_list;
    LibraryButtons m_buttons;
    QWidget* m_dialogParent;
    QString m_commandLineCard;
    // The last card the library listed, to come back to when folder mode ends.
    QString m_cardRoot;
    QString m_libraryRoot;
    bool m_folderMode = false;
    qint64 m_selectedDate = 0;
    SkinLabel* m_selectedDay;
};
