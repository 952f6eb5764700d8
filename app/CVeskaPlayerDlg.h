#pragma once

#include <QDialog>

// The program's one main window: frameless, fixed at 1022 x 682, drawn entirely from the skin.
class CVeskaPlayerDlg : public QDialog {
    Q_OBJECT
public:
    // cardRoot: a folder given on the command line to be taken as the card's root, or empty.
    explicit CVeskaPlayerDlg(const QString& cardRoot, QWidget* parent = nullptr);

    static constexpr int Width = 1022;
    static constexpr int Height = 682;

private:
    QString m_cardRoot;
};
