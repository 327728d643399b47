#pragma once
// Operations on t_light_data, the lighting modes of each profile.

#include <vector>

#include "storage/rows.h"

namespace tessaly {

// Profiles 1 … 5 are the ones the tables hold rows for.
inline constexpr int kStoredProfiles = 5;

// Number of rows of the profile, 0 on failure.
int CountLights(int profile);
// Returns the new light id, or 0.
int InsertLight(const LightSetting& light);
// Updates the parameters of the light's profile and the given mode (not the
// light's own mode); name and status stay. A mode without a row stores nothing.
bool UpdateLight(int mode, const LightSetting& light);
// Leaves only the given mode active; a mode without a row leaves none active.
bool SetActiveLight(int profile, int mode);
// The first active mode of the profile, or 0.
int GetActiveLightMode(int profile);
bool GetLight(int profile, int mode, LightSetting& light);
int ListLights(int profile, std::vector<LightSetting>& lights);
bool DeleteLights(int profile);

}  // namespace tessaly
