#pragma once
// The system clipboard's Unicode text, as the editing commands see it.

#include <string>
#include <string_view>

namespace quillet::editor {

class IEditorClipboard {
 public:
  virtual ~IEditorClipboard() = default;
  [[nodiscard]] virtual bool HasText() const = 0;
  [[nodiscard]] virtual std::u16string GetText() const = 0;
  virtual void SetText(std::u16string_view text) = 0;
};

}  // namespace quillet::editor
