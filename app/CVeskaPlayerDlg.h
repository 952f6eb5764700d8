#pragma once

#include <QDialog>

// The program's one main window: frameless, fixed at 1022 x 682, drawn entirely from the skin.
class CVeskaPlayerDlg : public QDialog {
    Q_OBJECT
public:
    explicit CVeskaPlayerDlg(QWidget* parent = nullptr);

    static constexpr int Width = 1022;
    static constexpr int Height = 682;
};
