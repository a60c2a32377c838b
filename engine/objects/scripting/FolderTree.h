#pragma once
// Whole folder trees: copied, moved and removed with Windows' rules and errors. Symbolic links
// are copied and removed as links, never followed, so a link to a folder above cannot make a
// walk endless or reach outside the tree.

#include <string>
#include <string_view>
#include <vector>

namespace quillet::engine {

// The names in a folder (not "." or ".."), each with whether it is a folder (a link to a folder
// counts as one, as Windows lists a junction); sorted as Windows lists them, case aside.
struct SFolderEntry {
  std::string name;
  bool isFolder = false;
};
[[nodiscard]] std::vector<SFolderEntry> ListFolder(const std::string& hostPath);

// Copies source's tree into target, made when missing, merged into when present. A file that
// exists in target is replaced when overwrite is true, else 58. 58 when target is a file; 70
// when target lies inside source.
void CopyTree(const std::string& source, const std::string& target, bool overwrite);

// Removes a folder and everything in it. Without force, a read-only file or folder stops the
// removal with 70, as Windows does; what was removed before stays removed.
void RemoveTree(const std::string& hostPath, bool force);

// Renames a folder, or across file systems copies it under a temporary name beside target,
// renames that into place and removes source. 58 when target exists; 70 when it lies inside
// source.
void MoveTree(const std::string& source, const std::string& target);

// True when path is folder or lies inside it, both read through their links.
[[nodiscard]] bool IsSameOrInside(const std::string& path, const std::string& folder);

}  // namespace quillet::engine
