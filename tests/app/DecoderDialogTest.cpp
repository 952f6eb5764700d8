#include "app/CFfdshowAlertDlg.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "tests/support/FindControl.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(DecoderDialog, ShowsTheRecommendationInTheUiLanguage) {
    for (quint16 language : {1033, 1049}) {
        SetUILanguage(language);
        CFfdshowAlertDlg dialog;
        EXPECT_EQ(dialog.windowTitle(), LoadLangString(StringId::InstallDecoder));
        EXPECT_EQ(FindControl<QLabel>(&dialog, CFfdshowAlertDlg::MessageId)->text(),
                  LoadLangString(StringId::DecoderRecommendation));
        EXPECT_EQ(FindControl<QLabel>(&dialog, CFfdshowAlertDlg::CautionId)->text(),
                  LoadLangString(StringId::ExternalProgramCaution));
        auto* ok = FindControl<QPushButton>(&dialog, CFfdshowAlertDlg::OkId);
        EXPECT_EQ(ok->text(), LoadLangString(StringId::DecoderSiteShortcut));
        EXPECT_TRUE(ok->isDefault());
        EXPECT_EQ(FindControl<QPushButton>(&dialog, CFfdshowAlertDlg::CancelId)->text(),
                  LoadLangString(StringId::Cancel));
    }
    SetUILanguage(1033);
    EXPECT_TRUE(LoadLangString(StringId::DecoderRecommendation)
                    .endsWith(QString("(%1)").arg(CFfdshowAlertDlg::DownloadAddress)));
}

TEST(DecoderDialog, OkAcceptsAndCancelRejects) {
    CFfdshowAlertDlg dialog;
    FindControl<QPushButton>(&dialog, CFfdshowAlertDlg::CancelId)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    FindControl<QPushButton>(&dialog, CFfdshowAlertDlg::OkId)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

} // namespace
