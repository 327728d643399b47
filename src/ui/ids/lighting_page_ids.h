#pragma once

// The lighting page's control ids, shared by the control table, the page's
// behaviour, the command-line tool, the routing table and the tests.

namespace tessaly::lighting_id {

inline constexpr int kBackground = 192;
inline constexpr int kCaptionBar = 193;
inline constexpr int kTitle = 194;
inline constexpr int kReset = 201;

inline constexpr int kEffectArea = 195;
inline constexpr int kEffectCaption = 196;
inline constexpr int kEffectList = 197;

inline constexpr int kBrightnessArea = 198;
inline constexpr int kBrightnessAndSpeedCaption = 200;
inline constexpr int kBrightnessCaption = 202;
inline constexpr int kBrightnessValue = 203;
inline constexpr int kBrightnessSlider = 204;

inline constexpr int kSpeedArea = 199;
inline constexpr int kSpeedCaption = 205;
inline constexpr int kSpeedValue = 206;
inline constexpr int kSpeedSlider = 207;

// The single colour: eight presets with consecutive ids, the palette, its
// preview and the red, green and blue fields.
inline constexpr int kColourArea = 234;
inline constexpr int kSingleColourCaption = 208;
inline constexpr int kFirstPreset = 209;
inline constexpr int kLastPreset = 216;
inline constexpr int kCustomColourCaption = 225;
inline constexpr int kPalette = 226;
inline constexpr int kPreview = 227;
inline constexpr int kRedLabel = 228;
inline constexpr int kGreenLabel = 229;
inline constexpr int kBlueLabel = 230;
inline constexpr int kRedField = 231;
inline constexpr int kGreenField = 232;
inline constexpr int kBlueField = 233;

// The colour slots: seven with consecutive ids.
inline constexpr int kSlotArea = 235;
inline constexpr int kSlotCaption = 217;
inline constexpr int kFirstSlot = 218;
inline constexpr int kLastSlot = 224;

}  // namespace tessaly::lighting_id
