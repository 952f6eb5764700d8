#pragma once

// Control IDs of the settings dialog and its pages; tests find each control by its number.

namespace SettingsDialogId {
constexpr int TabDateTime = 1030;
constexpr int TabVideo = 1031;
constexpr int TabRecording = 1032;
constexpr int TabAudio = 1033;
constexpr int TabDevice = 1034;
constexpr int TabInformation = 1036;
constexpr int Close = 1037;
constexpr int Save = 1038;
constexpr int PageTitle = 1041;
// The program's own note that the pages show setting_pcm.ini, not what the camera runs on.
constexpr int PendingChangesNote = 1042;
} // namespace SettingsDialogId

namespace TimePageId {
constexpr int DateField = 1097;
constexpr int TimeField = 1098;
constexpr int ZoneField = 1099;
constexpr int DateHeading = 11101;
constexpr int TimeHeading = 11102;
constexpr int ChangeInputHeading = 11103;
constexpr int ChangeInputOnLabel = 11104;
constexpr int ChangeInputOffLabel = 11105;
constexpr int GpsSyncHeading = 11106;
constexpr int GpsSyncOnLabel = 11107;
constexpr int GpsSyncOffLabel = 11108;
constexpr int ZoneHeading = 11109;
constexpr int DateUp = 11201;
constexpr int DateDown = 11202;
constexpr int TimeUp = 11203;
constexpr int TimeDown = 11204;
constexpr int ChangeInputOn = 11205;
constexpr int ChangeInputOff = 11206;
constexpr int GpsSyncOn = 11207;
constexpr int GpsSyncOff = 11208;
constexpr int ZoneUp = 11209;
constexpr int ZoneDown = 11210;
} // namespace TimePageId

namespace VideoPageId {
constexpr int ResolutionHeading = 12101;
constexpr int DrivingLabel = 12102;
constexpr int ParkingLabel = 12103;
constexpr int OutputHeading = 12107;
constexpr int ModeLabel = 12108;
constexpr int DateTimeHeading = 12109;
constexpr int DateTimeOnLabel = 12110;
constexpr int DateTimeOffLabel = 12111;
constexpr int BrightnessHeading = 12112;
constexpr int BrightnessReadout = 12113;
constexpr int GpsSpeedHeading = 12114;
constexpr int GpsSpeedOnLabel = 12115;
constexpr int GpsSpeedOffLabel = 12116;
constexpr int DateTimeOn = 12203;
constexpr int DateTimeOff = 12204;
constexpr int GpsSpeedOn = 12205;
constexpr int GpsSpeedOff = 12206;
constexpr int DrivingResolution = 12207;
constexpr int ParkingResolution = 12208;
constexpr int OutputStandard = 12209;
constexpr int Brightness = 12210;
} // namespace VideoPageId

namespace AudioPageId {
constexpr int VolumeHeading = 14101;
constexpr int VolumeReadout = 14102;
constexpr int SoundRecordingHeading = 14103;
constexpr int SoundRecordingOnLabel = 14104;
constexpr int SoundRecordingOffLabel = 14105;
constexpr int VoiceHeading = 14106;
constexpr int SystemAlertLabel = 14107;
constexpr int SystemAlertOnLabel = 14108;
constexpr int SystemAlertOffLabel = 14109;
constexpr int EventAlertLabel = 14110;
constexpr int EventAlertOnLabel = 14111;
constexpr int EventAlertOffLabel = 14112;
constexpr int DrivingAlertLabel = 14113;
constexpr int DrivingAlertOnLabel = 14114;
constexpr int DrivingAlertOffLabel = 14115;
constexpr int ParkingAlertLabel = 14116;
constexpr int ParkingAlertOnLabel = 14117;
constexpr int ParkingAlertOffLabel = 14118;
constexpr int SoundRecordingOn = 14201;
constexpr int SoundRecordingOff = 14202;
constexpr int SystemAlertOn = 14203;
constexpr int SystemAlertOff = 14204;
constexpr int EventAlertOn = 14205;
constexpr int EventAlertOff = 14206;
constexpr int DrivingAlertOn = 14207;
constexpr int DrivingAlertOff = 14208;
constexpr int ParkingAlertOn = 14209;
constexpr int ParkingAlertOff = 14210;
constexpr int Volume = 14211;
} // namespace AudioPageId

namespace RecordingPageId {
constexpr int ParkingHeading = 13101;
constexpr int ContinuousLabel = 13102;
constexpr int ContinuousOnLabel = 13103;
constexpr int ContinuousOffLabel = 13104;
constexpr int ShutdownTimerLabel = 13105;
constexpr int VehicleVoltageLabel = 13106;
constexpr int ManualVoltageLabel = 13107;
constexpr int ManualVoltageOnLabel = 13108;
constexpr int ManualVoltageOffLabel = 13109;
constexpr int ParkingVoltageLabel = 13110;
constexpr int ShutdownVoltageLabel = 13111;
constexpr int DrivingShutdownLabel = 13112;
constexpr int DrivingShutdownOnLabel = 13113;
constexpr int DrivingShutdownOffLabel = 13114;
constexpr int DeletionHeading = 13120;
constexpr int DeletingOrderLabel = 13121;
constexpr int AllocationLabel = 13122;
constexpr int ThreeWayLabel = 13123;
constexpr int TwoWayLabel = 13124;
constexpr int ContinuousOn = 13201;
constexpr int ContinuousOff = 13202;
constexpr int ManualVoltageOn = 13203;
constexpr int ManualVoltageOff = 13204;
constexpr int DrivingShutdownOn = 13205;
constexpr int DrivingShutdownOff = 13206;
constexpr int ShutdownTimer = 13211;
constexpr int VehicleVoltage = 13212;
constexpr int ParkingVoltage = 13213;
constexpr int ShutdownVoltage = 13214;
constexpr int DeletingOrder = 13215;
constexpr int ThreeWayAllocation = 13216;
constexpr int TwoWayAllocation = 13217;
} // namespace RecordingPageId

namespace DevicePageId {
constexpr int NameField = 1091;
constexpr int PasswordField = 1092;
constexpr int WifiHeading = 15101;
constexpr int ChangeInputLabel = 15102;
constexpr int ChangeInputOnLabel = 15103;
constexpr int ChangeInputOffLabel = 15104;
constexpr int NameLabel = 15105;
constexpr int PasswordLabel = 15106;
constexpr int ShowPasswordLabel = 15107;
constexpr int ShowPasswordOnLabel = 15108;
constexpr int ShowPasswordOffLabel = 15109;
constexpr int WifiOffLabel = 15110;
constexpr int ChannelLabel = 15111;
constexpr int GSensorHeading = 15112;
constexpr int DrivingSensorLabel = 15113;
constexpr int DrivingXLabel = 15114;
constexpr int DrivingXReadout = 15115;
constexpr int DrivingYLabel = 15117;
constexpr int DrivingYReadout = 15118;
constexpr int DrivingZLabel = 15120;
constexpr int DrivingZReadout = 15121;
constexpr int ParkingSensorLabel = 15122;
constexpr int ParkingXLabel = 15123;
constexpr int ParkingXReadout = 15124;
constexpr int ParkingYLabel = 15126;
constexpr int ParkingYReadout = 15127;
constexpr int ParkingZLabel = 15129;
constexpr int ParkingZReadout = 15130;
constexpr int LowLabel = 15131;
constexpr int HighLabel = 15132;
constexpr int LedHeading = 15133;
constexpr int LedLabel = 15134;
constexpr int LedOnLabel = 15135;
constexpr int LedOffLabel = 15136;
constexpr int MotionHeading = 15137;
constexpr int MotionReadout = 15138;
constexpr int ChangeInputOn = 15201;
constexpr int ChangeInputOff = 15202;
constexpr int ShowPasswordOn = 15203;
constexpr int ShowPasswordOff = 15204;
constexpr int LedOn = 15205;
constexpr int LedOff = 15206;
constexpr int DrivingX = 15207;
constexpr int DrivingY = 15208;
constexpr int DrivingZ = 15209;
constexpr int ParkingX = 15210;
constexpr int ParkingY = 15211;
constexpr int ParkingZ = 15212;
constexpr int Motion = 15213;
constexpr int WifiOffTimer = 15214;
constexpr int Channel = 15215;
} // namespace DevicePageId

namespace InfoPageId {
constexpr int CardHeading = 17101;
constexpr int TotalLabel = 17102;
constexpr int VersionHeading = 17103;
constexpr int FirmwareLabel = 17104;
constexpr int FormatHeading = 17105;
constexpr int InitializationHeading = 17106;
constexpr int SupportHeading = 17107;
constexpr int SupportLabel = 17108;
constexpr int SupportDetailLabel = 17109;
constexpr int TotalReadout = 17110;
constexpr int FreeLabel = 17111;
constexpr int FreeReadout = 17112;
constexpr int UsedLabel = 17113;
constexpr int NormalLabel = 17114;
constexpr int NormalReadout = 17115;
constexpr int EventLabel = 17116;
constexpr int EventReadout = 17117;
constexpr int MotionLabel = 17118;
constexpr int MotionReadout = 17119;
constexpr int FormatNote = 17120;
constexpr int FirmwareReadout = 17121;
constexpr int BuildLabel = 17122;
constexpr int BuildReadout = 17123;
constexpr int ProgramVersionLabel = 17124;
constexpr int ProgramVersionReadout = 17125;
constexpr int InitializationNote = 17126;
constexpr int FormatButton = 17201;
constexpr int InitializeButton = 17202;
} // namespace InfoPageId

namespace FormatDialogId {
constexpr int Message = 1346;
} // namespace FormatDialogId
