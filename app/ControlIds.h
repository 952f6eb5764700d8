#pragma once

// Control IDs of the main window and its full-screen panels; tests and the layouts find each
// control by its number.
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
// The incident span's two marks and the pack's button, beside the video's tools.
constexpr int SpanStart = 1101;
constexpr int SpanEnd = 1102;
constexpr int IncidentPack = 1103;
constexpr int VideoWindow = 0xFFFF;
} // namespace ControlId

// The full-screen panels themselves, by their dialog numbers.
namespace PanelId {
constexpr int ControlBar = 283;
constexpr int TitleBar = 284;
constexpr int FileListPanel = 291;
} // namespace PanelId

namespace ControlBarId {
constexpr int Position = 1067;
constexpr int Rewind = 1071;
constexpr int Forward = 1072;
constexpr int PlayPause = 1073;
constexpr int Previous = 1074;
constexpr int Next = 1075;
constexpr int Mute = 1076;
constexpr int Volume = 1077;
constexpr int Settings = 1078;
constexpr int ElapsedTime = 1079;
constexpr int TotalTime = 1080;
constexpr int FileListToggle = 1081;
} // namespace ControlBarId

namespace TitleBarId {
constexpr int Leave = 1081;
constexpr int FileName = 1082;
constexpr int TelemetryOverlay = 1100;
} // namespace TitleBarId

namespace FileListPanelId {
constexpr int List = 1083;
constexpr int KindAll = 1084;
constexpr int KindNormal = 1085;
constexpr int KindEvent = 1086;
constexpr int KindMotion = 1087;
constexpr int Calendar = 1088;
constexpr int Save = 1089;
constexpr int Delete = 1090;
constexpr int FolderToggle = 1091;
constexpr int CheckAll = 1099;
} // namespace FileListPanelId
