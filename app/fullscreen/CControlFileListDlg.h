#pragma once

#include "app/fullscreen/FullScreenPanel.h"

class CConfigListCtrl;

// The file-list panel of full-screen mode: the right-hand column of the window, with a list
// that shows the main list's rows and the buttons over it.
class CControlFileListDlg : public FullScreenPanel {
    Q_OBJECT
public:
    CControlFileListDlg(QWidget* owner, CConfigListCtrl& mainList);

    CConfigListCtrl* List() const { return m_list; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CConfigListCtrl* m_list;
};
