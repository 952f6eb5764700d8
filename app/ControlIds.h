#pragma once

// Control IDs of the main window; tests and the layout find each control by its number.
namespace ControlId {
constexpr int Minimize = 1000;
constexpr int Close = 1001;
constexpr int Settings = 1002;
constexpr int Calendar = 1003;
constexpr int Save = 1004;
constexpr int Delete = 1005;
constexpr int Rotate = 1006;
constexpr int Capture = 1007;
constexpr int Extend = 1008;
constexpr int KindAll = 1009;
constexpr int KindNormal = 1010;
constexpr int KindEvent = 1011;
constexpr int KindMotion = 1012;
constexpr int Rewind = 1013;
constexpr int Forward = 1014;
constexpr int PlayPause = 1015;
constexpr int Previous = 1016;
constexpr int Next = 1017;
constexpr int MapEnlarge = 1018;
constexpr int MapClose = 1019;
constexpr int PositionSlider = 1020;
constexpr int SpeedSlider = 1021;
constexpr int VolumeSlider = 1022;
constexpr int BrightnessSlider = 1023;
constexpr int TotalTime = 1024;
constexpr int ElapsedTime = 1025;
constexpr int Mute = 1026;
constexpr int FileList = 1029;
constexpr int MapView = 1068;
constexpr int FileName = 1069;
constexpr int FolderToggle = 1092;
constexpr int CheckAll = 1093;
constexpr int VideoWindow = 0xFFFF;
} // namespace ControlId
