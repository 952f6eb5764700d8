#include "app/CFfdshowAlertDlg.h"
#include "resources/LocalizedStrings.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(DecoderDialog, ShowsTheRecommendationInTheUiLanguage) {
    for (quint16 language : {1033, 1049}) {
        SetUILanguage(language);
        CFfdshowAlertDlg dialog;
        EXPECT_EQ(dialog.windowTitle(), LoadLangString(452));
        EXPECT_EQ(dialog.findChild<QLabel*>("1099")->text(), LoadLangString(424));
        EXPECT_EQ(dialog.findChild<QLabel*>("1100")->text(), LoadLangString(425));
        auto* ok = dialog.findChild<QPushButton*>("1");
        EXPECT_EQ(ok->text(), LoadLangString(456));
        EXPECT_TRUE(ok->isDefault());
        EXPECT_EQ(dialog.findChild<QPushButton*>("2")->text(), LoadLangString(457));
    }
    SetUILanguage(1033);
    EXPECT_TRUE(
        LoadLangString(424).endsWith(QString("(%1)").arg(CFfdshowAlertDlg::DownloadAddress)));
}

TEST(DecoderDialog, OkAcceptsAndCancelRejects) {
    CFfdshowAlertDlg dialog;
    dialog.findChild<QPushButton*>("2")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    dialog.findChild<QPushButton*>("1")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

} // namespace
