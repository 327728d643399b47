#pragma once
// Every numbered text the program shows, by window area. The numbers are keys
// of the "LAN" section of the language files; the files must hold all of them.
// A number shared by several areas is named once, in the area listed first.

#include <array>
#include <cstddef>

namespace tessaly::text {

// Main window frame, tray menu and version lines.
inline constexpr int kMainTitle = 1;
inline constexpr int kCopyright = 2;
inline constexpr int kWebsite = 3;
inline constexpr int kClose = 5;
inline constexpr int kMinimise = 6;
inline constexpr int kMaximise = 7;
inline constexpr int kSettings = 11;  // also the buttons that open the two key panels
inline constexpr int kExit = 12;
inline constexpr int kDeviceListVersion = 15;
inline constexpr int kFirmwareVersion = 16;
inline constexpr int kSoftwareVersion = 17;
inline constexpr int kFactoryResetHidden = 558;  // controls that are never placed

// Buttons and words shared by dialogs and pages.
inline constexpr int kOk = 20;
inline constexpr int kDialogOk = 22;
inline constexpr int kConfirm = 23;
inline constexpr int kCancel = 25;
inline constexpr int kImport = 26;
inline constexpr int kExport = 27;
inline constexpr int kDelete = 30;
inline constexpr int kCopy = 31;  // also the suffix of copied macro names
inline constexpr int kPaste = 32;
inline constexpr int kCut = 36;
inline constexpr int kApply = 38;
inline constexpr int kInsert = 39;

// Device state, home page and tabs.
inline constexpr int kNotConnected = 50;
inline constexpr int kWired = 51;
inline constexpr int kWireless = 52;
inline constexpr int kNoDeviceNotice = 56;
inline constexpr int kDeviceNotConnected = 57;
inline constexpr int kProfile = 61;
inline constexpr int kTabHome = 71;
inline constexpr int kTabButtons = 72;
inline constexpr int kTabPerformance = 73;
inline constexpr int kTabMacros = 74;
inline constexpr int kTabLighting = 75;
inline constexpr int kTabDeviceInfo = 76;  // also the information page title
inline constexpr int kPreviousPage = 85;
inline constexpr int kNextPage = 86;

// Button page: captions and the mouse functions.
inline constexpr int kButtonPageTitle = 100;
inline constexpr int kButtonListCaption = 101;
inline constexpr int kResetAllButtons = 102;
inline constexpr int kKey = 103;
inline constexpr int kResetButtonTip = 104;
inline constexpr int kMouseFunctions = 105;
inline constexpr int kLeftButton = 106;
inline constexpr int kRightButton = 107;
inline constexpr int kMiddleButton = 108;
inline constexpr int kForward = 109;
inline constexpr int kBack = 110;
inline constexpr int kScrollUp = 112;
inline constexpr int kScrollDown = 113;
inline constexpr int kScrollLeft = 114;
inline constexpr int kScrollRight = 115;
inline constexpr int kFireButton = 180;

// Button page: multimedia.
inline constexpr int kMultimedia = 116;
inline constexpr int kVolumeUp = 117;
inline constexpr int kVolumeDown = 118;
inline constexpr int kMute = 119;
inline constexpr int kMediaPlayer = 120;
inline constexpr int kPlayPause = 121;
inline constexpr int kPreviousTrack = 122;
inline constexpr int kNextTrack = 123;
inline constexpr int kStop = 124;

// Button page: macro, shortcuts, DPI, special functions, disable.
inline constexpr int kMacro = 125;
inline constexpr int kShortcuts = 126;
inline constexpr int kBrightnessUp = 127;
inline constexpr int kBrightnessDown = 128;
inline constexpr int kCalculator = 129;
inline constexpr int kFileManager = 130;
inline constexpr int kBrowserHome = 131;
inline constexpr int kEmail = 132;
inline constexpr int kShowDesktop = 133;
inline constexpr int kSwitchWindows = 134;
inline constexpr int kDisable = 139;
inline constexpr int kDpiFunctions = 140;
inline constexpr int kDpiCycle = 142;
inline constexpr int kSpecialFunctions = 150;
inline constexpr int kLightingSwitch = 151;
inline constexpr int kProfileSwitch = 152;
inline constexpr int kLightsOnOff = 153;
inline constexpr int kSniperMode = 154;
inline constexpr int kBatteryLevel = 155;
inline constexpr int kReportRateSwitch = 181;

// Button page: key-combination and repeat panels, confirmations.
inline constexpr int kKeyCombination = 160;
inline constexpr int kRapidFireShown = 161;
inline constexpr int kPressAKey = 162;
inline constexpr int kResetButtonsQuestion = 170;
inline constexpr int kResetButtonsTitle = 171;
inline constexpr int kPrimaryButtonLocked = 175;
inline constexpr int kButtonNoticeTitle = 177;
inline constexpr int kRapidFire = 182;
inline constexpr int kClosePanel = 183;
inline constexpr int kRepeatCount = 185;
inline constexpr int kRepeatInterval = 186;
inline constexpr int kMilliseconds = 187;

// Performance page.
inline constexpr int kPerformancePageTitle = 250;
inline constexpr int kDpiSettings = 251;
inline constexpr int kDpiHelp = 252;
inline constexpr int kResetDpi = 253;  // tooltip and title of its question
inline constexpr int kSendDpi = 254;
inline constexpr int kReportRate = 255;
inline constexpr int kReportRateHelp = 256;
inline constexpr int kResetReportRate = 257;
inline constexpr int kResetDpiQuestion = 258;
inline constexpr int kStageCount = 260;
inline constexpr int kLiftOffDistance = 501;
inline constexpr int kLiftOffHelp = 502;
inline constexpr int kSensorSettings = 503;
inline constexpr int kSensorHelpOption1 = 505;
inline constexpr int kSensorHelpOption1Line1 = 506;
inline constexpr int kSensorHelpOption2 = 507;
inline constexpr int kSensorHelpOption2Line1 = 508;
inline constexpr int kSensorHelpOption1Line2 = 509;
inline constexpr int kSensorHelpNote = 510;
inline constexpr int kSensorHelpOption3 = 511;
inline constexpr int kSensorHelpOption3Line1 = 512;
inline constexpr int kSensorOption1 = 515;
inline constexpr int kSensorOption2 = 516;
inline constexpr int kSensorOption3 = 517;
inline constexpr int kResponseTime = 525;
inline constexpr int kSleepTime = 531;
inline constexpr int kWakeUp = 532;
inline constexpr int kMoveWakeUp = 533;
inline constexpr int kMoveCloseLight = 534;
inline constexpr int kSystemMouseSettings = 535;
inline constexpr int kOpenSystemSettings = 536;
inline constexpr int kMinutes = 537;

// Lighting page.
inline constexpr int kLightingPageTitle = 265;
inline constexpr int kLightingEffect = 266;
inline constexpr int kBrightnessAndSpeed = 267;
inline constexpr int kBrightnessCaption = 268;
inline constexpr int kSpeedCaption = 269;
inline constexpr int kSingleColour = 270;
inline constexpr int kCustomColour = 271;
inline constexpr int kColourSlots = 272;
inline constexpr int kResetLightingTitle = 275;
inline constexpr int kResetLightingQuestion = 276;
inline constexpr int kBrightnessValue = 278;
inline constexpr int kSpeedValue = 279;
inline constexpr int kEffectFlowing = 280;
inline constexpr int kEffectBreathing = 281;
inline constexpr int kEffectSteady = 282;
inline constexpr int kEffectNeon = 283;
inline constexpr int kEffectRainbowWave = 284;
inline constexpr int kEffectOff = 285;

// Macro page, recording and the key dialog.
inline constexpr int kMacroPageTitle = 350;
inline constexpr int kCustom = 351;  // also the prefix of new macro names
inline constexpr int kMacroList = 352;
inline constexpr int kNewMacro = 353;
inline constexpr int kEventList = 355;
inline constexpr int kDeleteEvent = 357;
inline constexpr int kStartRecording = 358;
inline constexpr int kStopRecording = 359;
inline constexpr int kDelaySettings = 360;
inline constexpr int kNoDelay = 361;
inline constexpr int kRecordedDelay = 362;
inline constexpr int kFixedDelay = 363;
inline constexpr int kPlaySettings = 364;
inline constexpr int kPlayWhileHeld = 365;
inline constexpr int kPlayUntilPressedAgain = 366;
inline constexpr int kPlayTimes = 367;
inline constexpr int kMacroNoticeTitle = 368;
inline constexpr int kPressAKeyEvent = 385;
inline constexpr int kEventListFull = 386;
inline constexpr int kSelectMacroFirst = 387;
inline constexpr int kColumnNumber = 388;
inline constexpr int kColumnEvent = 389;
inline constexpr int kColumnEdit = 390;
inline constexpr int kEventKind = 391;
inline constexpr int kEventValue = 392;
inline constexpr int kKindMouseButton = 393;
inline constexpr int kKindKey = 394;
inline constexpr int kKindDelay = 395;
inline constexpr int kInsertKey = 397;
inline constexpr int kInsertDelay = 398;
inline constexpr int kMoveToTop = 400;
inline constexpr int kMoveUp = 401;
inline constexpr int kMoveDown = 402;
inline constexpr int kMoveToBottom = 403;
inline constexpr int kClearEvents = 404;
inline constexpr int kImportAllMacros = 410;
inline constexpr int kExportAllMacros = 411;
inline constexpr int kInsertLeftClick = 415;
inline constexpr int kInsertMiddleClick = 416;
inline constexpr int kInsertRightClick = 417;

// Device information page, updates and the factory reset.
inline constexpr int kMouseFirmware = 551;
inline constexpr int kReceiverFirmware = 552;
inline constexpr int kFactoryResetTitle = 570;
inline constexpr int kFactoryResetQuestion = 571;
inline constexpr int kNoticeTitle = 576;
inline constexpr int kFirmwareCheck = 578;
inline constexpr int kLatestVersion = 580;
inline constexpr int kSoftwareUpdateTitle = 581;
inline constexpr int kNewVersionFound = 582;
inline constexpr int kUpdateNowQuestion = 583;
inline constexpr int kDownloading = 590;
inline constexpr int kPreparingUpgrade = 591;
inline constexpr int kUpgrading = 592;
inline constexpr int kUpgradeComplete = 593;
inline constexpr int kUpgradeWarning = 596;
inline constexpr int kSavingSettings = 630;

// Settings page.
inline constexpr int kLanguage = 600;
inline constexpr int kStartup = 603;
inline constexpr int kStartWithSystem = 604;
inline constexpr int kStartMinimised = 605;
inline constexpr int kCloseButtonAction = 607;
inline constexpr int kCloseHidesToTray = 608;
inline constexpr int kCloseExits = 609;
inline constexpr int kFactoryReset = 611;
inline constexpr int kCheckForUpdates = 612;
inline constexpr int kFeedback = 615;
inline constexpr int kFaq = 616;

// Texts this project adds beyond the shared numbering start here.
inline constexpr int kFirstProjectText = 700;
// The software download left no setup to start.
inline constexpr int kSoftwareDownloadFailed = 700;
// The firmware upgrade stopped before the end.
inline constexpr int kFirmwareUpgradeIncomplete = 701;
// Recording reads only this window's keys: the keyboards cannot be read.
inline constexpr int kRecordingWindowOnly = 702;
// A macro chosen for a button has more events than the mouse takes.
inline constexpr int kMacroTooLongForButton = 703;
// A change the settings store did not keep, so it was not sent.
inline constexpr int kSettingsNotSaved = 710;
// A damaged settings file was kept aside (%s: its new name).
inline constexpr int kSettingsFileReplaced = 711;
// The settings file cannot be used (%s: why).
inline constexpr int kSettingsUnusable = 712;
// An update check that got no usable answer from the server.
inline constexpr int kUpdateServerUnreachable = 720;
// The receiver row's check: there is no receiver firmware to look for.
inline constexpr int kNoReceiverFirmwareOffered = 721;
// A version row before any check has answered.
inline constexpr int kNotCheckedYet = 722;
// The mouse row's check when the mouse has no firmware address.
inline constexpr int kNoMouseFirmwareOffered = 723;
inline constexpr int kAccessRuleMissing = 724;
inline constexpr int kAccessRuleNotApplied = 725;
inline constexpr int kPlugInAgain = 726;
inline constexpr int kNoMouseSettingsProgram = 727;
// The software update on this system: what became of the downloaded archive.
inline constexpr int kPackageHandedToInstaller = 728;
inline constexpr int kNoPackageForThisSystem = 729;
inline constexpr int kPackageInstallerNotStarted = 730;
inline constexpr int kDownloadPageOpened = 731;
inline constexpr int kDownloadFromPage = 732;
// Every value of an imported macro file was out of range: nothing was imported.
inline constexpr int kMacroFileAllRefused = 770;
// An imported profile file holds no value this mouse takes.
inline constexpr int kProfileFileUnusable = 740;
// A firmware image larger than the model's flash: nothing was sent.
inline constexpr int kFirmwareImageTooLarge = 741;

// Titles the window manager shows for the program's dialogs.
inline constexpr int kCaptionSaving = 742;
inline constexpr int kCaptionDpi = 743;
inline constexpr int kCaptionMessage = 744;
inline constexpr int kCaptionRecordEdit = 745;
inline constexpr int kCaptionSoftwareUpdate = 746;
inline constexpr int kCaptionFirmwareUpdate = 747;
inline constexpr int kCaptionAbout = 748;
inline constexpr int kCaptionPalette = 749;
inline constexpr int kCaptionProfiles = 750;
inline constexpr int kCaptionMenu = 751;

// A profile name typed in the profile list that is not stored.
inline constexpr int kProfileNameEmpty = 780;
inline constexpr int kProfileNameTooLong = 781;
inline constexpr int kProfileNameNotStored = 782;
// The profile list's tooltip: how to use and rename a profile.
inline constexpr int kProfileListHint = 783;
// What a screen reader calls controls that show no text of their own.
inline constexpr int kAccessiblePages = 784;
inline constexpr int kAccessibleMice = 785;
// The software download refused: no newer version known, or no server.
inline constexpr int kNoNewerSoftwareKnown = 786;
inline constexpr int kNoSoftwareUpdateAddress = 787;
// The home page's access hint when the installed udev rule lacks the mouse.
inline constexpr int kAccessRuleLacksMouse = 788;

// Units with "%1" where the number goes, as the language writes them.
inline constexpr int kUnitHertz = 752;
inline constexpr int kUnitMillimetre = 753;
inline constexpr int kUnitMillisecond = 754;

// The tray icon's menu, tooltip and notices.
inline constexpr int kTrayOpen = 755;
inline constexpr int kTrayBattery = 756;
inline constexpr int kTrayCharging = 757;
inline constexpr int kTrayBatteryLow = 758;
inline constexpr int kTrayBatteryFull = 759;

// The macro page's button that opens the import and export menu.
inline constexpr int kMacroFiles = 765;

// Every number above, for the checks of the shipped language files.
// clang-format off
inline constexpr auto kAllTextIds = std::to_array<int>({
    kMainTitle, kCopyright, kWebsite, kClose, kMinimise, kMaximise, kSettings, kExit,
    kDeviceListVersion, kFirmwareVersion, kSoftwareVersion, kFactoryResetHidden,
    kOk, kDialogOk, kConfirm, kCancel, kImport, kExport, kDelete, kCopy, kPaste, kCut, kApply,
    kInsert,
    kNotConnected, kWired, kWireless, kNoDeviceNotice, kDeviceNotConnected, kProfile, kTabHome,
    kTabButtons, kTabPerformance, kTabMacros, kTabLighting, kTabDeviceInfo, kPreviousPage,
    kNextPage,
    kButtonPageTitle, kButtonListCaption, kResetAllButtons, kKey, kResetButtonTip, kMouseFunctions,
    kLeftButton, kRightButton, kMiddleButton, kForward, kBack, kScrollUp, kScrollDown, kScrollLeft,
    kScrollRight, kFireButton,
    kMultimedia, kVolumeUp, kVolumeDown, kMute, kMediaPlayer, kPlayPause, kPreviousTrack,
    kNextTrack, kStop,
    kMacro, kShortcuts, kBrightnessUp, kBrightnessDown, kCalculator, kFileManager, kBrowserHome,
    kEmail, kShowDesktop, kSwitchWindows, kDisable, kDpiFunctions, kDpiCycle, kSpecialFunctions,
    kLightingSwitch, kProfileSwitch, kLightsOnOff, kSniperMode, kBatteryLevel, kReportRateSwitch,
    kKeyCombination, kRapidFireShown, kPressAKey, kResetButtonsQuestion, kResetButtonsTitle,
    kPrimaryButtonLocked, kButtonNoticeTitle, kRapidFire, kClosePanel, kRepeatCount,
    kRepeatInterval, kMilliseconds,
    kPerformancePageTitle, kDpiSettings, kDpiHelp, kResetDpi, kSendDpi, kReportRate,
    kReportRateHelp, kResetReportRate, kResetDpiQuestion, kStageCount, kLiftOffDistance,
    kLiftOffHelp, kSensorSettings, kSensorHelpOption1, kSensorHelpOption1Line1, kSensorHelpOption2,
    kSensorHelpOption2Line1, kSensorHelpOption1Line2, kSensorHelpNote, kSensorHelpOption3,
    kSensorHelpOption3Line1, kSensorOption1, kSensorOption2, kSensorOption3, kResponseTime,
    kSleepTime, kWakeUp, kMoveWakeUp, kMoveCloseLight, kSystemMouseSettings, kOpenSystemSettings,
    kMinutes,
    kLightingPageTitle, kLightingEffect, kBrightnessAndSpeed, kBrightnessCaption, kSpeedCaption,
    kSingleColour, kCustomColour, kColourSlots, kResetLightingTitle, kResetLightingQuestion,
    kBrightnessValue, kSpeedValue, kEffectFlowing, kEffectBreathing, kEffectSteady, kEffectNeon,
    kEffectRainbowWave, kEffectOff,
    kMacroPageTitle, kCustom, kMacroList, kNewMacro, kEventList, kDeleteEvent, kStartRecording,
    kStopRecording, kDelaySettings, kNoDelay, kRecordedDelay, kFixedDelay, kPlaySettings,
    kPlayWhileHeld, kPlayUntilPressedAgain, kPlayTimes, kMacroNoticeTitle, kPressAKeyEvent,
    kEventListFull, kSelectMacroFirst, kColumnNumber, kColumnEvent, kColumnEdit, kEventKind,
    kEventValue, kKindMouseButton, kKindKey, kKindDelay, kInsertKey, kInsertDelay, kMoveToTop,
    kMoveUp, kMoveDown, kMoveToBottom, kClearEvents, kImportAllMacros, kExportAllMacros,
    kInsertLeftClick, kInsertMiddleClick, kInsertRightClick,
    kMouseFirmware, kReceiverFirmware, kFactoryResetTitle, kFactoryResetQuestion, kNoticeTitle,
    kFirmwareCheck, kLatestVersion, kSoftwareUpdateTitle, kNewVersionFound, kUpdateNowQuestion,
    kDownloading, kPreparingUpgrade, kUpgrading, kUpgradeComplete, kUpgradeWarning, kSavingSettings,
    kLanguage, kStartup, kStartWithSystem, kStartMinimised, kCloseButtonAction, kCloseHidesToTray,
    kCloseExits, kFactoryReset, kCheckForUpdates, kFeedback, kFaq,
    kSoftwareDownloadFailed, kFirmwareUpgradeIncomplete, kRecordingWindowOnly,
    kMacroTooLongForButton, kMacroFileAllRefused, kSettingsNotSaved, kSettingsFileReplaced,
    kSettingsUnusable, kProfileFileUnusable, kFirmwareImageTooLarge, kUpdateServerUnreachable,
    kNoReceiverFirmwareOffered, kNotCheckedYet, kNoMouseFirmwareOffered, kAccessRuleMissing,
    kAccessRuleNotApplied, kPlugInAgain, kNoMouseSettingsProgram, kPackageHandedToInstaller,
    kNoPackageForThisSystem, kPackageInstallerNotStarted, kDownloadPageOpened, kDownloadFromPage,
    kCaptionSaving, kCaptionDpi, kCaptionMessage, kCaptionRecordEdit, kCaptionSoftwareUpdate,
    kCaptionFirmwareUpdate, kCaptionAbout, kCaptionPalette, kCaptionProfiles, kCaptionMenu,
    kUnitHertz, kUnitMillimetre, kUnitMillisecond, kTrayOpen, kTrayBattery, kTrayCharging,
    kTrayBatteryLow, kTrayBatteryFull, kMacroFiles,
    kProfileNameEmpty, kProfileNameTooLong,
    kProfileNameNotStored, kProfileListHint, kAccessiblePages, kAccessibleMice,
    kNoNewerSoftwareKnown, kNoSoftwareUpdateAddress, kAccessRuleLacksMouse
});
// clang-format on

namespace detail {
template <size_t N>
constexpr bool AllDistinct(const std::array<int, N>& ids) {
    for (size_t i = 0; i < N; ++i) {
        for (size_t j = i + 1; j < N; ++j) {
            if (ids[i] == ids[j])
                return false;
        }
    }
    return true;
}
}  // namespace detail

// Two names for one number would let the list and the files drift apart.
static_assert(detail::AllDistinct(kAllTextIds), "a text number is listed twice");

}  // namespace tessaly::text
