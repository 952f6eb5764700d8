#include "app/DecoderAlertDialog.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "tests/support/FindControl.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(DecoderDialog, ShowsTheRecommendationInTheUiLanguage) {
    for (quint16 language : {1033, 1049}) {
        SetUILanguage(language);
        DecoderAlertDialog dialog;
        EXPECT_EQ(dialog.windowTitle(), LoadLangString(StringId::InstallDecoder));
        EXPECT_EQ(FindControl<QLabel>(&dialog, DecoderAlertDialog::MessageId)->text(),
                  LoadLangString(StringId::DecoderRecommendation));
        EXPECT_EQ(FindControl<QLabel>(&dialog, DecoderAlertDialog::CautionId)->text(),
                  LoadLangString(StringId::ExternalProgramCaution));
        auto* ok = FindControl<QPushButton>(&dialog, DecoderAlertDialog::OkId);
        EXPECT_EQ(ok->text(), LoadLangString(StringId::DecoderSiteShortcut));
        EXPECT_TRUE(ok->isDefault());
        EXPECT_EQ(FindControl<QPushButton>(&dialog, DecoderAlertDialog::CancelId)->text(),
                  LoadLangString(StringId::Cancel));
    }
    SetUILanguage(StringTable::English);
    EXPECT_TRUE(LoadLangString(StringId::DecoderRecommendation)
                    .endsWith(QString("(%1)").arg(DecoderAlertDialog::DownloadAddress)));
}

TEST(DecoderDialog, OkAcceptsAndCancelRejects) {
    DecoderAlertDialog dialog;
    FindControl<QPushButton>(&dialog, DecoderAlertDialog::CancelId)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    FindControl<QPushButton>(&dialog, DecoderAlertDialog::OkId)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

} // namespace
