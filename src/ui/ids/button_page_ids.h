#pragma once

// The button page's control ids (the list and the picture on the page, the
// function panel and its two small panels on the sub-page), shared by the
// control table, the page's behaviour, the routing table and the tests.

namespace tessaly::button_id {

inline constexpr int kBackground = 62;
inline constexpr int kTitle = 64;
inline constexpr int kListCaption = 66;
inline constexpr int kResetAll = 67;
inline constexpr int kList = 68;
inline constexpr int kPicture = 108;

// The function panel.
inline constexpr int kPanelBackground = 69;
inline constexpr int kButtonName = 70;
inline constexpr int kResetButton = 71;
inline constexpr int kMouseCaption = 72;
inline constexpr int kMouseChoice = 73;
inline constexpr int kMultimediaCaption = 74;
inline constexpr int kMultimediaChoice = 75;
inline constexpr int kMacroCaption = 76;
inline constexpr int kMacroChoice = 77;
// The caption and the choice share this id; the choice is the second.
inline constexpr int kShortcutChoice = 79;
inline constexpr int kDpiCaption = 80;
inline constexpr int kDpiChoice = 81;
inline constexpr int kSpecialCaption = 82;
inline constexpr int kSpecialChoice = 83;
inline constexpr int kCombinationCaption = 84;
inline constexpr int kOpenCombination = 85;
inline constexpr int kRepeatCaption = 86;
inline constexpr int kOpenRepeat = 87;
inline constexpr int kDisableCaption = 88;
inline constexpr int kDisable = 89;

// The key-combination panel.
inline constexpr int kCombinationBackground = 90;
inline constexpr int kCloseCombination = 91;
inline constexpr int kCombinationTitle = 92;
inline constexpr int kCapturedKey = 93;
inline constexpr int kCtrl = 94;
inline constexpr int kWin = 95;
inline constexpr int kAlt = 96;
inline constexpr int kShift = 97;
inline constexpr int kApplyCombination = 98;

// The repeat panel.
inline constexpr int kRepeatBackground = 99;
inline constexpr int kRepeatTitle = 100;
inline constexpr int kRepeatCountCaption = 101;
inline constexpr int kRepeatSecond = 102;
inline constexpr int kRepeatIntervalCaption = 103;
inline constexpr int kRepeatIntervalUnit = 104;
inline constexpr int kRepeatFirst = 105;
inline constexpr int kApplyRepeat = 106;
inline constexpr int kCloseRepeat = 107;

}  // namespace tessaly::button_id
