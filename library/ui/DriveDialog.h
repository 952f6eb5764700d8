#pragma once

#include "library/DriveProvider.h"

#include <QDialog>

class QComboBox;

// Asks which removable drive holds the memory card.
class DriveDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int DriveComboId = 1024;
    static constexpr int DriveLabelId = 1095;
    static constexpr int PromptId = 1096;
    static constexpr int OkId = 1;

    DriveDialog(const QList<DriveCandidate>& drives, QWidget* parent = nullptr);

    // Without a drive to offer the dialog ends at once, as cancelled.
    int exec() override;
    // The root of the drive chosen with OK.
    QString ChosenRoot() const { return m_chosenRoot; }

private:
    QComboBox* m_drives;
    QString m_chosenRoot;
};
