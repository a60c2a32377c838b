#pragma once
// GetSpecialFolder's folders on Linux: the Windows folder and its System32 are folders of
// drive C: (made the first time they are asked for, so that scripts can write there as they
// would on Windows); the temporary folder is the application-data folder's Temp, as the rest of
// the program uses it, shown under the drive letter that holds it.

#include <cstdint>

#include "platform/DriveMap.h"

namespace quillet::engine {

// SpecialFolderConst.
enum class ESpecialFolder : int32_t { Windows = 0, System = 1, Temporary = 2 };

// 5 for a number that names none; 71 when C: has no folder for the first two.
[[nodiscard]] platform::CScriptPath SpecialFolderPath(int32_t which, const platform::CDriveMap& drives);

}  // namespace quillet::engine
