#pragma once

// The profile dialog's control ids, shared by the dialog and the tests.

namespace tessaly::profile_dialog_id {

inline constexpr int kBackground = 30;
inline constexpr int kList = 31;
inline constexpr int kImport = 32;
inline constexpr int kExport = 33;

}  // namespace tessaly::profile_dialog_id
