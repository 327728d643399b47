#pragma once

// The record edit dialog's control ids, shared by the dialog and the tests.

namespace tessaly::record_edit_id {

inline constexpr int kTitle = 31;
inline constexpr int kClose = 32;
inline constexpr int kKeyLabel = 33;
inline constexpr int kKeyField = 34;
inline constexpr int kOk = 35;

}  // namespace tessaly::record_edit_id
