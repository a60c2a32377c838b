#pragma once
// What a failed file system call means to a script, in Windows' numbers: a missing file is 53
// where a file was named and 76 where a folder was, a refusal 70, a full disk 61, anything the
// disk itself failed 57.

#include <string>

#include "platform/DriveMap.h"

namespace quillet::engine {

enum class EPathRole { File, Folder };

namespace err {
inline constexpr int BadFileName = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int BadFileMode = 54;
inline constexpr int DeviceIoError = 57;
inline constexpr int FileAlreadyExists = 58;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEnd = 62;
inline constexpr int TooManyFiles = 67;
inline constexpr int PermissionDenied = 70;
inline constexpr int DiskNotReady = 71;
inline constexpr int PathNotFound = 76;
}  // namespace err

[[nodiscard]] int ErrorNumberFor(int errorCode, EPathRole role);
[[noreturn]] void ThrowFileError(int errorCode, EPathRole role);
// The host path of a script path, or the error that stops the script: 71 for a drive letter
// with no folder, 76 for a network share, 52 for a name no file can have.
[[nodiscard]] std::string HostPathOrThrow(const platform::CDriveMap& drives, const platform::CScriptPath& path);

}  // namespace quillet::engine
