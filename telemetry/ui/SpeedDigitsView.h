#pragma once

#include <QPixmap>
#include <QWidget>

// The speed read-out beside the map buttons: three skin digits, or nothing before the first
// speed is drawn.
class SpeedDigitsView : public QWidget {
    Q_OBJECT
public:
    explicit SpeedDigitsView(QWidget* parent);

    void DrawSpeed(int n);
    void Clear();
    // The digits shown, "" while there are none.
    const QString& Text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    QPixmap m_digits;
};
