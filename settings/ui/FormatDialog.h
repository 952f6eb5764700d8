#pragma once

#include <QDialog>

// The plain question before a card is formatted: the message, OK and Cancel.
class FormatDialog : public QDialog {
    Q_OBJECT
public:
    explicit FormatDialog(QWidget* owner);

    // Shown when the dialog runs; empty leaves the text empty.
    QString message;

    int exec() override;
};
