#pragma once

// String IDs of the table, named once.
namespace StringId {
constexpr int ProgramVersion = 320;
constexpr int DeleteQuestion = 420;
constexpr int PlayingFileNotDeleted = 446;
constexpr int DecoderRecommendation = 424;
constexpr int ExternalProgramCaution = 425;
constexpr int SelectDrive = 426;
constexpr int DriveLabel = 427;
constexpr int SelectDrivePrompt = 428;
constexpr int PortableDisk = 429;
constexpr int FormatWarning = 431;
constexpr int FormatCaution = 432;
constexpr int ConfirmMemoryFormat = 438;
constexpr int InitializeSettingsQuestion = 445;
constexpr int PasswordRule = 451;
constexpr int SelectDate = 439;
constexpr int CantPlayFile = 447;
constexpr int NoCardDrive = 448;
constexpr int SaveTitle = 449;
constexpr int NoGpsFiles = 450;
constexpr int InstallDecoder = 452;
constexpr int InitializeAllSettings = 453;
constexpr int SaveSettingsQuestion = 454;
constexpr int Saved = 455;
constexpr int DecoderSiteShortcut = 456;
constexpr int Cancel = 457;
constexpr int SelectFolder = 458;
// The program's own texts, past the camera's table: copying, its name clashes and reports.
constexpr int CopyingFile = 600;
constexpr int BytesOfTotal = 601;
constexpr int FileExistsReplace = 602;
constexpr int Replace = 603;
constexpr int Skip = 604;
constexpr int ReplaceAll = 605;
constexpr int FilesSaved = 606;
constexpr int NotSaved = 607;
constexpr int SaveCancelled = 608;
constexpr int NotDeleted = 609;
constexpr int SnapshotNotSaved = 610;
constexpr int SettingsNotKeepable = 611;
constexpr int SettingsNotWrittenBack = 612;
constexpr int FormatFailed = 613;
constexpr int ChangesWaitingForCamera = 614;
constexpr int SettingsBackupKept = 615;
constexpr int UnfinishedRecording = 616;
constexpr int OfferRepairedCopy = 617;
constexpr int RepairedCopySaved = 618;
constexpr int RepairedCopyFailed = 619;
constexpr int KeyHelp = 620;
constexpr int RecordingsSavedIn = 621;
constexpr int OpenFolder = 622;
constexpr int TelemetryOverlayTip = 623;
constexpr int ScanningForEvents = 624;
constexpr int EventCount = 625;
constexpr int AppTitle = 57344;
} // namespace StringId
