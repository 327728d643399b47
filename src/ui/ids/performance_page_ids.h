#pragma once

// The performance page's control ids, shared by the control table, the
// page's behaviour, the routing table and the tests.

namespace tessaly::performance_id {

inline constexpr int kBackground = 109;
inline constexpr int kCaptionBar = 110;
inline constexpr int kTitle = 111;

inline constexpr int kDpiArea = 112;
inline constexpr int kDpiCaption = 113;
inline constexpr int kDpiHelp = 114;
inline constexpr int kResetDpi = 115;
inline constexpr int kStages = 116;
inline constexpr int kSlider = 117;
inline constexpr int kSendDpi = 118;
inline constexpr int kStageCountLabel = 119;
inline constexpr int kStageCount = 120;

inline constexpr int kReportRateArea = 121;
inline constexpr int kReportRateCaption = 122;
inline constexpr int kReportRateHelp = 123;
inline constexpr int kResetReportRate = 124;
inline constexpr int kReportRates = 125;

inline constexpr int kLiftOffArea = 126;
inline constexpr int kLiftOffCaption = 127;
inline constexpr int kLiftOffHelp = 128;
inline constexpr int kLiftOff1mm = 129;
inline constexpr int kLiftOff2mm = 130;

inline constexpr int kSensorArea = 131;
inline constexpr int kSensorCaption = 132;
inline constexpr int kSensorHelp = 133;
inline constexpr int kSensorOptions = 134;  // three check boxes share it

inline constexpr int kResponseTimeArea = 137;
inline constexpr int kResponseTimeCaption = 138;
inline constexpr int kResponseTime = 139;

inline constexpr int kPowerArea = 140;
inline constexpr int kSleepCaption = 141;
inline constexpr int kWakeCaption = 142;
inline constexpr int kMoveWakeup = 143;
inline constexpr int kMoveCloseLight = 144;
inline constexpr int kSleepTime = 145;

// Opens the system's own mouse settings.
inline constexpr int kSystemMouseArea = 146;
inline constexpr int kSystemMouseCaption = 147;
inline constexpr int kSystemMousePicture = 148;
inline constexpr int kSystemMouseSettings = 149;

}  // namespace tessaly::performance_id
