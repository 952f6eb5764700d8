#pragma once

// Control IDs of the settings dialog and its pages; tests find each control by its number.

namespace SettingsDlgId {
constexpr int TabDateTime = 1030;
constexpr int TabVideo = 1031;
constexpr int TabRecording = 1032;
constexpr int TabAudio = 1033;
constexpr int TabDevice = 1034;
constexpr int TabInformation = 1036;
constexpr int Close = 1037;
constexpr int Save = 1038;
constexpr int PageTitle = 1041;
} // namespace SettingsDlgId

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
