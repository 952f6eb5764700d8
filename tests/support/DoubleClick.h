#pragma once

#include <QTest>

// A user's double click: the first click, then the second press that makes it double (QTest's
// own double click sends only the latter).
inline void DoubleClick(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
}
