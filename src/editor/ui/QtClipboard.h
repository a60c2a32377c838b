#pragma once
// The system clipboard's Unicode text for the editing commands.

#include "editor/EditorClipboard.h"

namespace quillet::editor {

class CQtClipboard : public IEditorClipboard {
 public:
  [[nodiscard]] bool HasText() const override;
  [[nodiscard]] std::u16string GetText() const override;
  void SetText(std::u16string_view text) override;
};

}  // namespace quillet::editor
