#pragma once
// Operations on t_profile_data. Profiles are only added and renamed, never
// deleted.

#include <string_view>
#include <vector>

#include "storage/rows.h"

namespace tessaly {

// Inserts the profile (name and app; status and type 0) and its default
// configuration rows. Returns the new id, 0 on failure.
int AddProfile(const ProfileInfo& profile);
bool RenameProfile(int profile, std::u16string_view name);
// False when there is no such profile; name is emptied first.
bool GetProfileName(int profile, std::u16string& name);
// Replaces the list's entries with every profile in ascending id; returns the count.
int ListProfiles(std::vector<ProfileInfo>& profiles);
// Leaves exactly the given profile active.
bool SetActiveProfile(int profile);
// The first active profile's id, or 0.
int GetActiveProfile();

}  // namespace tessaly
