#pragma once
// Where F4 finds the code of a typed shortcut. The library lives outside the editor, which only
// asks for the code when it has a word to expand.

#include <optional>
#include <string>
#include <string_view>

namespace quillet::editor {

class ISnippetSource {
 public:
  virtual ~ISnippetSource() = default;
  // The code of the first snippet whose shortcut is word (any case); none when there is none.
  [[nodiscard]] virtual std::optional<std::u16string> CodeForShortcut(std::u16string_view word) = 0;
};

}  // namespace quillet::editor
