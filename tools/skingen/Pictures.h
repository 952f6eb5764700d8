#pragma once

#include <QPainter>
#include <QSize>

// The skin's pictures, each drawn whole at the size its row gives.

void PaintAppIcon(QPainter& p, const QSize& size, int id);
void PaintMainBackground(QPainter& p, const QSize& size, int id);
void PaintSettingsBackground(QPainter& p, const QSize& size, int id);

void PaintControlBar(QPainter& p, const QSize& size, int id);
void PaintTitleBar(QPainter& p, const QSize& size, int id);
void PaintMapHeader(QPainter& p, const QSize& size, int id);
void PaintGraph(QPainter& p, const QSize& size, int id);
void PaintSpeedDigit(QPainter& p, const QSize& size, int id);

void PaintScrollUp(QPainter& p, const QSize& size, int id);
void PaintScrollDown(QPainter& p, const QSize& size, int id);
void PaintScrollTrack(QPainter& p, const QSize& size, int id);
void PaintScrollThumb(QPainter& p, const QSize& size, int id);
void PaintCheckBoxStrip(QPainter& p, const QSize& size, int id);
void PaintComboFace(QPainter& p, const QSize& size, int id);
void PaintEditPattern(QPainter& p, const QSize& size, int id);
void PaintTimeBack(QPainter& p, const QSize& size, int id);
void PaintFileNameBack(QPainter& p, const QSize& size, int id);

void PaintSliderChannel(QPainter& p, const QSize& size, int id);
void PaintSliderFill(QPainter& p, const QSize& size, int id);
void PaintSliderThumb(QPainter& p, const QSize& size, int id);
