#include "snippets/ui/LibrarySnippetSource.h"

#include "snippets/SnippetLibrary.h"

namespace quillet::snippets {

std::optional<std::u16string> CLibrarySnippetSource::CodeForShortcut(std::u16string_view word) {
  const SSnippetsPathResult path = GetSnippetsFilePath(m_shippedFolder);
  if (!path.ok) return std::nullopt;
  std::optional<SSnippet> snippet = FindSnippetByShortcut(path.path, word);
  if (!snippet) return std::nullopt;
  return std::move(snippet->code);
}

}  // namespace quillet::snippets
