#include "settings/ui/SettingsMessage.h"

#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"

#include <QMessageBox>

static int Show(QWidget* owner, const QString& text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, LoadLangString(StringId::AppTitle), text, buttons, owner);
    return box.exec();
}

void Tell(QWidget* owner, int stringId) {
    TellText(owner, LoadLangString(stringId));
}

void TellText(QWidget* owner, const QString& text) {
    Show(owner, text, QMessageBox::Ok);
}

bool AskOkCancel(QWidget* owner, int stringId) {
    return Show(owner, LoadLangString(stringId), QMessageBox::Ok | QMessageBox::Cancel) ==
           QMessageBox::Ok;
}
