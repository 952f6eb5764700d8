#pragma once

#include <QDialog>
#include <QRegion>

// A frameless dialog with rounded corners, whatever size it takes.
class SkinDialog : public QDialog {
    Q_OBJECT
public:
    explicit SkinDialog(QWidget* parent = nullptr);

    // The shape of a window of the given size: the rectangle less the corners outside a
    // 20-pixel circle in each 10-pixel corner square.
    static QRegion RoundedShape(const QSize& size);

protected:
    void resizeEvent(QResizeEvent* event) override;
};
