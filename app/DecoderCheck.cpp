#include "app/DecoderCheck.h"

#include "app/DecoderAlertDialog.h"
#include "playback/FilterCheck.h"
#include "playback/PlaybackEngine.h"

#include <QDesktopServices>
#include <QUrl>

bool CheckDecoder(PlaybackEngine& player, QWidget* dialogParent) {
    if (player.CheckFilters() != FilterCheck::NoH264Decoder)
        return true;
    DecoderAlertDialog dialog(dialogParent);
    if (dialog.exec() == QDialog::Accepted)
        QDesktopServices::openUrl(QUrl(QString::fromLatin1(DecoderAlertDialog::DownloadAddress)));
    return false;
}
