#pragma once
// A path as scripts see it, made absolute: a root and the names below it. Scripts write Windows
// paths ("C:\Data\x.txt", "\\server\share\x") and POSIX paths ("/tmp/x") alike, with '/' and '\'
// both separating names; a path keeps the form it came in with, so that what a script gets back
// reads like what it gave.

#include <string>
#include <string_view>
#include <vector>

namespace quillet::platform {

[[nodiscard]] constexpr bool IsPathSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// Where a path string is anchored, read as Windows reads it.
enum class EPathAnchor {
  Relative,       // "a\b": below the current folder
  Rooted,         // "\a" or "/a": from the root of the file system
  DriveRelative,  // "C:a": below the current folder of drive C
  DriveRooted,    // "C:\a"
  Network,        // "\\server\share\a"
};

struct SPathAnchor {
  EPathAnchor kind = EPathAnchor::Relative;
  std::u16string root;       // "C:" as written, "\\server\share"; empty for the others
  std::u16string_view rest;  // the names after the root
};

// Takes the anchor off a path string. The "\\?\" and "\\.\" prefixes, which only tell Windows
// not to parse the rest, are passed over.
[[nodiscard]] SPathAnchor SplitPathAnchor(std::u16string_view text);

class CScriptPath {
 public:
  // The root of the file system, "/".
  CScriptPath() = default;
  // root: "" (POSIX), "C:" (a drive) or "\\server\share"; names: no separators, no "." or "..".
  CScriptPath(std::u16string root, std::vector<std::u16string> names);

  [[nodiscard]] const std::u16string& Root() const { return m_root; }
  [[nodiscard]] const std::vector<std::u16string>& Names() const { return m_names; }
  [[nodiscard]] bool IsPosix() const { return m_root.empty(); }
  [[nodiscard]] bool IsNetwork() const { return m_root.size() > 2; }
  // The drive's letter as written, 0 for a path without one.
  [[nodiscard]] char16_t DriveLetter() const { return m_root.size() == 2 ? m_root[0] : u'\0'; }
  [[nodiscard]] bool IsRoot() const { return m_names.empty(); }
  // The last name; empty for a root.
  [[nodiscard]] std::u16string_view Name() const;

  // "C:\a\b", "C:\", "\\server\share\a", "/a/b" or "/".
  [[nodiscard]] std::u16string Text() const;
  // The folder holding this one; a root is its own parent.
  [[nodiscard]] CScriptPath Parent() const;
  [[nodiscard]] CScriptPath Child(std::u16string_view name) const;

  // Adds the names of a relative path string as Windows resolves them in a string: empty names
  // and "." are dropped, ".." climbs no higher than the root. Windows also trims the dots and
  // spaces that end the last name unless a separator follows it ("a\b. " is "a\b").
  void Append(std::u16string_view relative);

  bool operator==(const CScriptPath&) const = default;

 private:
  void AppendName(std::u16string_view name);

  std::u16string m_root;
  std::vector<std::u16string> m_names;
};

}  // namespace quillet::platform
