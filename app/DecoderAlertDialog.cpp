#include "app/DecoderAlertDialog.h"

#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "skin/SkinLabel.h"

#include <QPushButton>

namespace {

// The dialog's places are given in dialog units of its 8-point font.
QRect FromDialogUnits(int x, int y, int width, int height) {
    auto across = [](int units) { return units * 6 / 4; };
    auto down = [](int units) { return units * 13 / 8; };
    return {across(x), down(y), across(width), down(height)};
}

void AddText(QWidget* dialog, int id, const QRect& place, int stringId, const QColor& colour) {
    auto* text = new SkinLabel(dialog, id, place, LoadLangString(stringId));
    text->SetFontHeight(15);
    text->textColour = colour;
    text->setWordWrap(true);
}

QPushButton* AddButton(QWidget* dialog, int id, const QRect& place, int stringId) {
    auto* button = new QPushButton(LoadLangString(stringId), dialog);
    button->setObjectName(QString::number(id));
    button->setGeometry(place);
    return button;
}

} // namespace

DecoderAlertDialog::DecoderAlertDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(LoadLangString(StringId::InstallDecoder));
    setFixedSize(FromDialogUnits(0, 0, 311, 97).size());
    AddText(this, MessageId, FromDialogUnits(7, 7, 297, 36), StringId::DecoderRecommendation,
            QColor(64, 64, 64));
    AddText(this, CautionId, FromDialogUnits(7, 53, 297, 21), StringId::ExternalProgramCaution,
            QColor(255, 128, 0));
    QPushButton* ok =
        AddButton(this, OkId, FromDialogUnits(57, 76, 137, 14), StringId::DecoderSiteShortcut);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(AddButton(this, CancelId, FromDialogUnits(204, 76, 50, 14), StringId::Cancel),
            &QPushButton::clicked, this, &QDialog::reject);
}
