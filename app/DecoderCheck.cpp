#include "app/DecoderCheck.h"

#include "app/CFfdshowAlertDlg.h"
#include "playback/CDShowPlayer.h"
#include "playback/FilterCheck.h"

#include <QDesktopServices>
#include <QUrl>

bool CheckDecoder(CDShowPlayer& player, QWidget* dialogParent) {
    if (player.CheckFilters() != FilterCheck::NoH264Decoder)
        return true;
    CFfdshowAlertDlg dialog(dialogParent);
    if (dialog.exec() == QDialog::Accepted)
        QDesktopServices::openUrl(QUrl(QString::fromLatin1(CFfdshowAlertDlg::DownloadAddress)));
    return false;
}
