#include "app/MainWindowLayout.h"

#include "app/ControlIds.h"

namespace MainWindowLayout {

QList<Placement> WindowedPlacements(int mapViewState) {
    using namespace ControlId;
    return {
        {Settings, {150, 12, 37, 28}},
        {Minimize, {937, 12, 36, 28}},
        {Close, {973, 12, 37, 28}},
        {SpanStart, {463, 53, 34, 22}},
        {SpanEnd, {497, 53, 34, 22}},
        {IncidentPack, {531, 53, 34, 22}},
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
        {MapEnlarge, MapEnlargeButtonRect(mapViewState)},
        {MapClose, MapPaneButtonRect(mapViewState)},
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

QRect ListRect(int mapViewState) {
    return {695, 126, 308, mapViewState == MapInPane ? 310 : 508};
}

QRect WindowedMapRect(int mapViewState) {
    return mapViewState == MapInPane ? QRect(695, 466, 323, 196) : QRect();
}

QRect MapPaneRect() {
    return {695, 466, 324, 197};
}

QRect MapCollapsedRect() {
    return {676, 71, 0, 0};
}

QRect EnlargedMapRect() {
    return {2, 48, 1017, 615};
}

QRect EnlargedMapPanelRect() {
    return {8, 405, 368, 250};
}

QRect EnlargedMapVideoRect() {
    return {16, 413, 352, 198};
}

QList<Placement> EnlargedMapPlaybackPlacements() {
    using namespace ControlId;
    return {
        {PlayPause, {16, 617, 37, 28}},
        {PositionSlider, {60, 615, 308, 20}},
        {ElapsedTime, {68, 636, 50, 13}},
        {TotalTime, {310, 636, 50, 13}},
    };
}

QRect MapEnlargeButtonRect(int mapViewState) {
    return {937, mapViewState == MapInPane ? 441 : 639, 36, 22};
}

QRect MapPaneButtonRect(int mapViewState) {
    return {973, mapViewState == MapInPane ? 441 : 639, 37, 22};
}

QRect MapReturnButtonRect() {
    return {897, 12, 37, 28};
}

QPoint MapHeaderPosition(int mapViewState) {
    return mapViewState == MapInPane ? QPoint(695, 437) : QPoint(695, 635);
}

QRect FullScreenVideoRect(QSize client) {
    const int w = client.width();
    const int h = client.height();
    const int d = w / 16;
    if (h >= 9 * d)
        return {0, (h - 9 * d) / 2, w, 9 * d};
    const int e = h / 9;
    return {(w - 16 * e) / 2, 0, 16 * e, h};
}

QList<Placement> FullScreenPlacements(QSize client) {
    using namespace ControlId;
    const int w = client.width();
    const int h = client.height();
    return {
        {Settings, {w - 94, h - 36, 37, 28}},        {Extend, {w - 56, 7, 36, 22}},
        {Rewind, {w - 550, h - 36, 36, 28}},         {Forward, {w - 514, h - 36, 37, 28}},
        {PlayPause, {w - 465, h - 36, 37, 28}},      {Previous, {w - 416, h - 36, 36, 28}},
        {Next, {w - 380, h - 36, 37, 28}},           {Mute, {w - 319, h - 32, 22, 16}},
        {PositionSlider, {20, h - 39, w - 599, 20}}, {VolumeSlider, {w - 291, h - 31, 181, 15}},
    };
}

QList<int> FullScreenHiddenControls() {
    using namespace ControlId;
    return {Minimize,    Close,      Rotate,   Capture,      FolderToggle,
            Calendar,    SpanStart,  SpanEnd,  IncidentPack, Save,
            Delete,      CheckAll,   KindAll,  KindNormal,   KindEvent,
            KindMotion,  MapEnlarge, MapClose, SpeedSlider,  BrightnessSlider,
            ElapsedTime, TotalTime,  FileName};
}

QList<int> PointerControls() {
    using namespace ControlId;
    return {Minimize,       Close,       Settings,     Calendar,         Save,        Delete,
            SpanStart,      SpanEnd,     IncidentPack, Rotate,           Capture,     Extend,
            KindAll,        KindNormal,  KindEvent,    KindMotion,       Rewind,      Forward,
            PlayPause,      Previous,    Next,         MapEnlarge,       MapClose,    Mute,
            PositionSlider, SpeedSlider, VolumeSlider, BrightnessSlider, ElapsedTime, TotalTime};
}

QPoint SpeedPosition(int mapViewState) {
    return mapViewState == MapInPane ? QPoint(865, 443) : QPoint(865, 641);
}

} // namespace MainWindowLayout
