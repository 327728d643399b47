#include "app/registry_values.h"

#include "base/application_name.h"
#include "base/decimal.h"
#include "platform/registry_store.h"

namespace tessaly {
namespace {

// Values are read as at most 255 bytes of UTF-16 text.
constexpr size_t kMaxValueUnits = 255 / 2;

int ReadNumber(RegistryStore& store, std::u16string_view key, std::u16string_view name) {
    const auto value = store.ReadValue(key, name);
    if (!value)
        return 0;
    return DecimalToInt(std::u16string_view(*value).substr(0, kMaxValueUnits));
}

}  // namespace

std::u16string ProgramKey() {
    return u"SOFTWARE\\" + ApplicationName();
}

int ReadRegistryNumber(std::u16string_view name) {
    const auto store = CurrentRegistryStore();
    const std::u16string key = ProgramKey();
    switch (store->OpenKey(key)) {
        case KeyOpen::kMissing:
            store->CreateKey(key);
            return 0;
        case KeyOpen::kFailed:
            return 0;
        case KeyOpen::kOpened:
            break;
    }
    return ReadNumber(*store, key, name);
}

void WriteRegistryText(std::u16string_view name, std::u16string_view text) {
    const auto store = CurrentRegistryStore();
    const std::u16string key = ProgramKey();
    if (store->OpenKey(key) != KeyOpen::kOpened)
        return;
    store->WriteValue(key, name, text);
}

int ReadDeviceType() {
    const auto store = CurrentRegistryStore();
    const std::u16string key = ProgramKey();
    if (store->OpenKey(key) != KeyOpen::kOpened)
        return 0;
    return ReadNumber(*store, key, kValueDeviceType);
}

void WriteDeviceType(int device_type) {
    WriteRegistryText(kValueDeviceType, IntToDecimal(device_type));
}

int ReadStoredLanguage() {
    const auto store = CurrentRegistryStore();
    const std::u16string key = ProgramKey();
    switch (store->OpenKey(key)) {
        case KeyOpen::kMissing:
            return store->CreateKey(key) ? 0 : 2052;
        case KeyOpen::kFailed:
            return 2052;
        case KeyOpen::kOpened:
            break;
    }
    return ReadNumber(*store, key, kValueLcid);
}

void WriteStoredLanguage(int lcid) {
    WriteRegistryText(kValueLcid, IntToDecimal(lcid));
}

}  // namespace tessaly
