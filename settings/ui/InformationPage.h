#pragma once

#include "settings/CardInformation.h"
#include "settings/FormatCard.h"
#include "settings/ui/SettingsPage.h"

// The card and what the page may do to it: where it is, how it is formatted, and the records
// that are kept across a format.
struct CardAccess {
    QString driveRoot; // empty when no card is known
    CardFormatter* formatter = nullptr;
    CardSettings* settings = nullptr;
    FormatSteps steps;
};

// The information page: the card's capacity, free space and the space each kind of recording
// takes, the camera's firmware and the program's version; formatting the card with the
// camera's settings kept, and putting every other page back to its defaults.
class InformationPage : public SettingsPage {
    Q_OBJECT
public:
    InformationPage(QWidget* container, const CardInformation& information, CardAccess card);

    // The confirmation's text for the card at root with that label.
    static QString FormatMessage(const QString& root, const QString& label);

signals:
    // The user confirmed "Initialize settings?": the dialog puts its pages to their defaults.
    void initializeSettings();
    // A format mounted the card again at `root`: what is saved from now on goes there.
    void cardMoved(const QString& root);

private:
    void OnFormat();
    void OnInitializeSettings();

    CardAccess m_card;
};
