#pragma once
// The bytes of "quillet_snippets.dat". All integers are 32-bit little-endian. The current form
// starts with a magic and a version and holds UTF-16LE strings; the older form starts straight
// with the root folder's body and counts its strings in bytes of the ANSI code page. A folder
// body is: folder count, snippet count, each folder (name, then its own body), each snippet
// (name, shortcut, code).

#include <cstdint>
#include <string>
#include <string_view>

#include "snippets/SnippetFolder.h"

namespace quillet::snippets {

inline constexpr unsigned char kSnippetFileMagic[4] = {0x1D, 0x4A, 0xD0, 0x23};
inline constexpr uint32_t kSnippetFileVersion = 10;
// Deeper nesting is taken for damage: no one files snippets a hundred folders down, and a
// bound keeps the reader, the menus and the dialogs' recursion safe from a crafted file.
inline constexpr size_t kMaxSnippetFolderDepth = 100;

struct SSnippetFileContent {
  CSnippetFolder root;
  bool hasMagic = false;
  uint32_t version = 0;
  // Every byte understood. When false, root holds what was read before the damage.
  bool sound = false;
  // The form the menus, insertion and expansion accept: the magic and version 10.
  [[nodiscard]] bool IsCurrent() const { return hasMagic && version == kSnippetFileVersion; }
};

[[nodiscard]] bool StartsWithSnippetMagic(std::string_view bytes);
[[nodiscard]] SSnippetFileContent ParseSnippetFile(std::string_view bytes);
// The current form: magic, version 10 and the tree.
[[nodiscard]] std::string WriteSnippetFile(const CSnippetFolder& root);

}  // namespace quillet::snippets
