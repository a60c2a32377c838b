#pragma once
// The user's snippet library on disk. There is no resident copy: every menu build, insertion
// and expansion reads the file again, and the dialogs load the tree and write it back whole.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "snippets/Snippet.h"
#include "snippets/SnippetFolder.h"

namespace quillet::snippets {

inline constexpr char kSnippetsFileName[] = "quillet_snippets.dat";

struct SSnippetsPathResult {
  std::string path;          // the library file, set when ok
  std::string failedFolder;  // the folder that could not be made, when not ok
  bool ok = false;
};

// The library's path in the application-data folder. Makes the folder, gives a user without a
// library the copy shipped in shippedFolder, and rewrites a library in the older form in the
// current one.
[[nodiscard]] SSnippetsPathResult GetSnippetsFilePath(const std::string& shippedFolder);

// Reads the whole tree into root (emptied first). False when the file could not be read or was
// damaged; root then holds what could be read.
bool LoadSnippets(CSnippetFolder& root, const std::string& path);
// Replaces the file atomically. A library that cannot be read whole is first kept aside under
// "<path>.unreadable-<time>", so a damaged file is never lost by writing over it.
[[nodiscard]] bool SaveSnippets(const CSnippetFolder& root, const std::string& path);

// Snippet number (counted in menu order) of a library in the current form; none when the file
// is not in that form or has fewer snippets.
[[nodiscard]] std::optional<SSnippet> FindSnippetByNumber(const std::string& path, size_t number);
// The first snippet in menu order whose shortcut equals word, ignoring ASCII case.
[[nodiscard]] std::optional<SSnippet> FindSnippetByShortcut(const std::string& path,
                                                            std::u16string_view word);

}  // namespace quillet::snippets
