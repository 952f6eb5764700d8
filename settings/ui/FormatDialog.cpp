#include "settings/ui/FormatDialog.h"

#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "settings/ui/SettingsControlIds.h"

#include <QLabel>
#include <QPushButton>

namespace {

// The dialog's template, 282 x 99 dialog units, in the pixels of the desktop's usual dialog
// font (a unit is a quarter of its average character width and an eighth of its height).
constexpr QSize DialogSize{423, 161};
constexpr QRect MessageRect{11, 11, 402, 104};
constexpr QRect OkRect{128, 127, 75, 23};
constexpr QRect CancelRect{218, 127, 75, 23};
constexpr int OkId = 1;
constexpr int CancelId = 2;

} // namespace

FormatDialog::FormatDialog(QWidget* owner) : QDialog(owner) {
    setFixedSize(DialogSize);
    auto* text = new QLabel(this);
    text->setObjectName(QString::number(FormatDialogId::Message));
    text->setGeometry(MessageRect);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QString::number(OkId));
    ok->setGeometry(OkRect);
    ok->setDefault(true);
    auto* cancel = new QPushButton(LoadLangString(StringId::Cancel), this);
    cancel->setObjectName(QString::number(CancelId));
    cancel->setGeometry(CancelRect);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

int FormatDialog::exec() {
    setWindowTitle(LoadLangString(StringId::ConfirmMemoryFormat));
    if (!message.isEmpty())
        findChild<QLabel*>(QString::number(FormatDialogId::Message))->setText(message);
    return QDialog::exec();
}
