#pragma once

#include "library/RecordingSave.h"

#include <QObject>
#include <QPointer>

class FileListView;
class CardLibrary;
class SaveRun;
class QWidget;

// The Save and Delete buttons: the marked recordings of the file list copied with their
// telemetry into a folder the user chooses, or deleted from the card. The open recording (the
// list's current index) is never deleted.
class SaveDeleteCommands : public QObject {
    Q_OBJECT
public:
    SaveDeleteCommands(FileListView& list, CardLibrary& library, QWidget* window);

    // The folder of the previous save in this run, offered to the next; empty before the first.
    const QString& LastSaveFolder() const { return m_lastSaveFolder; }
    // The save under way, null when none is; another Save or Delete waits until it ends.
    SaveRun* RunningSave() const;

    void Save();
    void Delete();

signals:
    void saveFinished(const SaveReport& report);
    // A delete rebuilt the list under the open recording.
    void listRebuiltAfterDelete();

private:
    // The folder chosen in the browser, empty when cancelled.
    QString AskFolder();
    // A save that copied everything: how many recordings went where, and a way to the folder.
    void TellSaved(const SaveReport& report);

    // How many names the delete question lists before "…".
    static constexpr int NamedRecordings = 10;
    QList<MarkedRecording> MarkedRecordings() const;

    FileListView& m_list;
    CardLibrary& m_library;
    QWidget* m_window;
    QString m_lastSaveFolder;
    QPointer<SaveRun> m_saveRun;
};
