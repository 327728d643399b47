#pragma once
// The steps of the action table, one group per page or concern.

#include "stateful/actions.h"

namespace tessaly::stateful {

// Performance page.
void SetStageCountStep(ActionContext& c);
void SelectStageStep(ActionContext& c);
void TypeStageValueStep(ActionContext& c);
void SetStageColourStep(ActionContext& c);
void SetReportRateStep(ActionContext& c);
void SetLiftOffStep(ActionContext& c);
void SetSensorOptionsStep(ActionContext& c);
void SetResponseTimeStep(ActionContext& c);
void SetSleepStep(ActionContext& c);
void SetWakeStep(ActionContext& c);
void SetCloseLightStep(ActionContext& c);
void PressMouseDpiButtonStep(ActionContext& c);

// Profiles and the settings page.
void SwitchProfileStep(ActionContext& c);
void RenameProfileStep(ActionContext& c);
void ExportProfileStep(ActionContext& c);
void ImportProfileStep(ActionContext& c);
void FactoryResetStep(ActionContext& c);

// Links and the program's life.
void UnplugStep(ActionContext& c);
void PlugStep(ActionContext& c);
void ReceiverLosesMouseStep(ActionContext& c);
void ReceiverFindsMouseStep(ActionContext& c);
void RestartStep(ActionContext& c);

// Macro page.
void NewMacroStep(ActionContext& c);
void SelectMacroStep(ActionContext& c);
void RenameMacroStep(ActionContext& c);
void DeleteMacroStep(ActionContext& c);
void InsertEventsStep(ActionContext& c);
void DeleteEventStep(ActionContext& c);
void RecordKeysStep(ActionContext& c);
void SetEventButtonStep(ActionContext& c);

// Lighting page. Its steps need the current profile's rows.
bool LightingShown(const Model& model);
void LightEffectStep(ActionContext& c);
void LightBrightnessStep(ActionContext& c);
void LightSpeedStep(ActionContext& c);
void LightColourStep(ActionContext& c);
void LightResetStep(ActionContext& c);

// Button page.
void ButtonFunctionStep(ActionContext& c);
void ButtonKeyStep(ActionContext& c);
void ButtonMacroStep(ActionContext& c);
void ButtonDisableStep(ActionContext& c);
void ButtonResetStep(ActionContext& c);

}  // namespace tessaly::stateful
