#include "app/CVeskaPlayerDlg.h"

#include "app/Language.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"

CVeskaPlayerDlg::CVeskaPlayerDlg(const QString& cardRoot, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), m_cardRoot(cardRoot) {
    setFixedSize(Width, Height);
    SetUILanguage(ChooseUILanguage(ConfiguredLanguageValue(), QLocale::system()));
    setWindowTitle(LoadLangString(StringId::AppTitle));
    setStyleSheet(QStringLiteral("CVeskaPlayerDlg { background: rgb(48,48,48); }"));
}
