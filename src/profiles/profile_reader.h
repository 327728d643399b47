#pragma once
// Reading a profile file's sections into a profile, each value checked
// against what the pages allow before it is stored. The caller brackets the
// whole read in one transaction and decides whether it is kept.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/device_options.h"
#include "profiles/profile_file.h"
#include "storage/rows.h"
#include "xml/xml_text_document.h"

namespace tessaly {

// What the model is, taken before the transaction starts (the catalogue
// has a lock of its own, which is never taken inside the database's).
struct ProfileModel {
    DeviceOptions options;
    // The model's buttons; empty when the catalogue lists none.
    std::vector<int> key_codes;
};

class ProfileReader {
  public:
    ProfileReader(XmlTextDocument& doc, int profile, ProfileFileOptions options,
                  const ProfileImportLimits& limits, const ProfileModel& model)
        : doc_(doc), profile_(profile), options_(options), limits_(limits), model_(model) {}

    // The sections inside profileinfo, the document positioned there. False
    // when a write failed (or the fault hook said so).
    bool ReadAll();

    int Taken() const { return taken_; }
    int Refused() const { return refused_; }

  private:
    bool ReadKeys();
    bool ReadLights();
    bool ReadStages();
    bool ReadMouse();

    bool ReadKeyItem();
    bool ReadLightItem();
    bool StoreStageValues();

    // Whether the next write may go ahead (the fault hook).
    bool MayWrite() const;
    bool Store(std::u16string_view key, int value);

    // The attribute as a number the check accepts; nothing when it is
    // missing, and nothing (counted and traced) when it is refused.
    std::optional<int> Checked(std::u16string_view attribute, std::u16string_view what,
                               const std::function<bool(int)>& allowed);

    XmlTextDocument& doc_;
    int profile_;
    ProfileFileOptions options_;
    const ProfileImportLimits& limits_;
    const ProfileModel& model_;
    std::vector<MacroInfo> macros_;
    int taken_ = 0;
    int refused_ = 0;
};

}  // namespace tessaly
