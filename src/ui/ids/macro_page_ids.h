#pragma once

// The macro page's control ids and its menus' item ids, shared by the control
// table, the page's behaviour and the command-line tool's driver.

namespace tessaly::macro_id {

// The page's own controls lie between these two.
inline constexpr int kFirstControl = 150;
inline constexpr int kLastControl = 191;

// The page's frame and the three columns' panels and captions.
inline constexpr int kBackground = 150;
inline constexpr int kCaptionBand = 151;
inline constexpr int kTitle = 152;
inline constexpr int kMacroPanel = 153;
inline constexpr int kMacroListCaption = 154;
inline constexpr int kEventPanel = 155;
inline constexpr int kEventListBackground = 159;
inline constexpr int kEventListCaption = 160;
inline constexpr int kDelayPanel = 161;
inline constexpr int kPlayPanel = 162;
inline constexpr int kNumberColumn = 163;
inline constexpr int kEventColumn = 164;
inline constexpr int kEditColumn = 165;
inline constexpr int kEventButtonsPanel = 170;
inline constexpr int kDelayCaption = 173;
inline constexpr int kFixedDelayFrame = 177;
inline constexpr int kFixedDelayUnit = 179;
inline constexpr int kPlayCaption = 180;

inline constexpr int kMacroList = 156;
inline constexpr int kNewMacro = 157;
inline constexpr int kDeleteMacro = 158;
inline constexpr int kEventList = 166;
inline constexpr int kInsert = 167;
inline constexpr int kDeleteEvent = 168;
inline constexpr int kClearEvents = 169;
inline constexpr int kEditorPanel = 171;
inline constexpr int kRecord = 172;

inline constexpr int kNoDelays = 174;
inline constexpr int kRecordedDelays = 175;
inline constexpr int kFixedDelay = 176;
inline constexpr int kFixedDelayField = 178;

inline constexpr int kPlayWhileHeld = 181;
inline constexpr int kPlayUntilPressedAgain = 182;
inline constexpr int kPlayCount = 183;
inline constexpr int kPlayCountField = 184;

// The event editor below the settings.
inline constexpr int kEditorKindLabel = 185;
inline constexpr int kEditorKind = 186;
inline constexpr int kEditorValue = 187;
inline constexpr int kEditorButton = 188;
inline constexpr int kEditorValueLabel = 189;
inline constexpr int kMoveUp = 190;
inline constexpr int kMoveDown = 191;

// Opens the macro list's menu (import, export) where it can be seen; it came
// after the range above was full, so it lies outside it.
inline constexpr int kFilesButton = 236;

// Items of the macro list's menu.
inline constexpr int kImportOneItem = 101;
inline constexpr int kExportOneItem = 102;
inline constexpr int kImportAllItem = 105;
inline constexpr int kExportAllItem = 106;

// Items of the insert menu: key and delay events, and the three clicks.
inline constexpr int kInsertKeyItem = 101;
inline constexpr int kInsertDelayItem = 103;
inline constexpr int kLeftClickItem = 105;
inline constexpr int kMiddleClickItem = 106;
inline constexpr int kRightClickItem = 107;

// Items of an event's menu: where to move it.
inline constexpr int kMoveToTopItem = 100;
inline constexpr int kMoveUpItem = 101;
inline constexpr int kMoveDownItem = 102;
inline constexpr int kMoveToBottomItem = 103;

}  // namespace tessaly::macro_id
