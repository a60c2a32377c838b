#pragma once
// F4's view of the user's library file, read again at every expansion.

#include <string>

#include "editor/SnippetSource.h"

namespace quillet::snippets {

class CLibrarySnippetSource : public editor::ISnippetSource {
 public:
  explicit CLibrarySnippetSource(std::string shippedFolder) : m_shippedFolder(std::move(shippedFolder)) {}
  [[nodiscard]] std::optional<std::u16string> CodeForShortcut(std::u16string_view word) override;

 private:
  std::string m_shippedFolder;
};

}  // namespace quillet::snippets
