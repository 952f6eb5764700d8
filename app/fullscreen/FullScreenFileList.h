#pragma once

#include "app/fullscreen/FullScreenPanel.h"

class FileListView;

// The file-list panel of full-screen mode: the right-hand column of the window, with a list
// that shows the main list's rows and the buttons over it.
class FullScreenFileList : public FullScreenPanel {
    Q_OBJECT
public:
    FullScreenFileList(QWidget* owner, FileListView& mainList);

    FileListView* List() const { return m_list; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FileListView* m_list;
};
