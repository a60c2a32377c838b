#pragma once
// Copying and moving one file between Linux paths with Windows' rules and errors. A file that
// is replaced is written beside it under a temporary name and renamed over it only when the
// copy is whole, so a failure part way (a full disk) leaves the old file as it was.

#include <string>

namespace quillet::engine {

// Copies the contents, the permission bits and the modification time. Errors: 53 (76 when its
// folder is missing) for a source that is not there or is a folder, 58 for an existing target
// when overwrite is false, 70 for a target that is a folder, read-only, or the source itself,
// 76 for a missing target folder, 61 for a full disk.
void CopyOneFile(const std::string& source, const std::string& target, bool overwrite);

// Renames, or copies and removes across file systems. 58 when the target exists.
void MoveOneFile(const std::string& source, const std::string& target);

// What errno means for a path that was not there: 76 when even its folder is missing, else the
// role's own (53 for a file, 76 for a folder).
[[nodiscard]] int MissingPathError(const std::string& hostPath, bool isFile);

// True when something (a file, a folder, a dangling link) has this name.
[[nodiscard]] bool PathIsTaken(const std::string& hostPath);

// Renames without replacing what is at target; 0 or errno (EEXIST when target exists).
[[nodiscard]] int RenameWithoutReplacing(const std::string& source, const std::string& target);

}  // namespace quillet::engine
