#include "settings/ui/SettingsMessage.h"

#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"

#include <QMessageBox>

static int Show(QWidget* owner, int stringId, QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, LoadLangString(StringId::AppTitle),
                    LoadLangString(stringId), buttons, owner);
    return box.exec();
}

void Tell(QWidget* owner, int stringId) {
    Show(owner, stringId, QMessageBox::Ok);
}

bool AskOkCancel(QWidget* owner, int stringId) {
    return Show(owner, stringId, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}
