#pragma once

#include <QDialog>

// Recommends installing the video decoder when the program finds none, with a way to its
// download page.
class DecoderAlertDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int MessageId = 1099;
    static constexpr int CautionId = 1100;
    static constexpr int OkId = 1;
    static constexpr int CancelId = 2;
    static constexpr const char* DownloadAddress = "https://ffmpeg.org/download.html";

    explicit DecoderAlertDialog(QWidget* parent = nullptr);
};
