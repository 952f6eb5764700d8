#include "library/ui/DriveDialog.h"

#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

DriveDialog::DriveDialog(const QList<DriveCandidate>& drives, QWidget* parent)
    : QDialog(parent), m_drives(new QComboBox(this)) {
    setWindowTitle(LoadLangString(StringId::SelectDrive));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // The drop-down keeps its entries in alphabetical order, as a sorted combo box would.
    QList<DriveCandidate> sorted = drives;
    std::sort(sorted.begin(), sorted.end(), [](const DriveCandidate& a, const DriveCandidate& b) {
        return QString::localeAwareCompare(a.EntryText(), b.EntryText()) < 0;
    });
    for (const DriveCandidate& drive : sorted)
        m_drives->addItem(drive.EntryText(), drive.root);
    m_drives->setObjectName(QString::number(DriveComboId));
    m_drives->setMinimumWidth(200);

    auto* driveLabel = new QLabel(LoadLangString(StringId::DriveLabel), this);
    driveLabel->setObjectName(QString::number(DriveLabelId));
    auto* prompt = new QLabel(LoadLangString(StringId::SelectDrivePrompt), this);
    prompt->setObjectName(QString::number(PromptId));
    prompt->setAlignment(Qt::AlignCenter);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QString::number(OkId));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        m_chosenRoot = m_drives->currentData().toString();
        accept();
    });

    auto* layout = new QGridLayout(this);
    layout->addWidget(driveLabel, 0, 0);
    layout->addWidget(m_drives, 0, 1);
    layout->addWidget(prompt, 1, 0, 1, 2);
    layout->addWidget(ok, 2, 0, 1, 2, Qt::AlignHCenter);
}

int DriveDialog::exec() {
    if (m_drives->count() == 0)
        return Rejected;
    m_drives->setCurrentIndex(0);
    return QDialog::exec();
}
