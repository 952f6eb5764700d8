#include "app/MainWindowLayout.h"

#include "app/ControlIds.h"

namespace MainWindowLayout {

QList<Placement> WindowedPlacements(int mapViewState) {
    using namespace ControlId;
    const int mapButtonsTop = mapViewState == MapInPane ? 441 : 639;
    return {
        {Settings, {150, 12, 37, 28}},
        {Minimize, {937, 12, 36, 28}},
        {Close, {973, 12, 37, 28}},
        {Rotate, {575, 53, 36, 22}},
        {Capture, {611, 53, 34, 22}},
        {Extend, {645, 53, 36, 22}},
        {FolderToggle, {871, 53, 36, 22}},
        {Calendar, {907, 53, 36, 22}},
        {Save, {940, 53, 34, 22}},
        {Delete, {974, 53, 36, 22}},
        {CheckAll, {963, 107, 39, 19}},
        {KindAll, {695, 78, 81, 29}},
        {KindNormal, {776, 78, 81, 29}},
        {KindEvent, {857, 78, 81, 29}},
        {KindMotion, {938, 78, 82, 29}},
        {Rewind, {450, 475, 36, 28}},
        {Forward, {486, 475, 37, 28}},
        {PlayPause, {535, 475, 37, 28}},
        {Previous, {584, 475, 36, 28}},
        {Next, {620, 475, 37, 28}},
        {MapEnlarge, {937, mapButtonsTop, 36, 22}},
        {MapClose, {973, mapButtonsTop, 37, 22}},
        {Mute, {451, 581, 22, 16}},
        {PositionSlider, {30, 474, 391, 20}},
        {SpeedSlider, {477, 544, 179, 15}},
        {VolumeSlider, {477, 582, 179, 15}},
        {BrightnessSlider, {477, 620, 179, 15}},
        {ElapsedTime, {40, 494, 50, 13}},
        {TotalTime, {364, 494, 50, 13}},
        {FileName, {265, 59, 180, 13}},
    };
}

QRect PositionSliderCreatedRect() {
    return {39, 477, 371, 20};
}

QRect WindowedVideoRect() {
    return {3, 78, 688, 387};
}

QRect WindowedListRect() {
    return {695, 126, 308, 508};
}

QRect WindowedMapRect(int mapViewState) {
    return mapViewState == MapInPane ? QRect(695, 466, 323, 196) : QRect();
}

QPoint MapHeaderPosition(int mapViewState) {
    return mapViewState == MapInPane ? QPoint(695, 437) : QPoint(695, 635);
}

} // namespace MainWindowLayout
