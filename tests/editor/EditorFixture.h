#pragma once
// A document with one editing core over fixed metrics: 8-pixel characters, 16-pixel lines and
// a window of 800 by 480 pixels, so positions and scrolling are exact.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "base/CommandIds.h"
#include "document/QuilletDoc.h"
#include "editor/EditorClipboard.h"
#include "editor/EditorCore.h"
#include "editor/TextMetrics.h"

namespace quillet::test {

class CFixedMetrics : public editor::ITextMetrics {
 public:
  [[nodiscard]] int32_t CharWidth() const override { return 8; }
  [[nodiscard]] int32_t CharWidth(char16_t) const override { return 8; }
  [[nodiscard]] int32_t LineHeight() const override { return 16; }
  [[nodiscard]] int32_t MarginDigitWidth() const override { return 7; }
  [[nodiscard]] int32_t ClientWidth() const override { return width; }
  [[nodiscard]] int32_t ClientHeight() const override { return height; }
  int32_t width = 800;
  int32_t height = 480;
};

class CMemoryClipboard : public editor::IEditorClipboard {
 public:
  [[nodiscard]] bool HasText() const override { return has; }
  [[nodiscard]] std::u16string GetText() const override { return text; }
  void SetText(std::u16string_view value) override {
    text = value;
    has = true;
  }
  std::u16string text;
  bool has = false;
};

class CEditorTest : public ::testing::Test {
 protected:
  using P = document::CTextPosition;

  CEditorTest() { editor.SetClipboard(&clipboard); }

  void Load(std::initializer_list<std::u16string_view> lines) {
    doc.FreeAll();
    for (const auto line : lines) doc.AppendLine(line);
    doc.UpdateViews(nullptr, nullptr, document::UpdateAll, -1);
  }
  void Type(std::u16string_view text) {
    for (const char16_t c : text) editor.OnChar(c);
  }
  void Run(int32_t id, int times = 1) {
    for (int i = 0; i < times; ++i) ASSERT_TRUE(editor.ExecuteCommand(id)) << id;
  }
  [[nodiscard]] std::u16string Text() const {
    std::u16string text;
    const int32_t last = doc.GetLineCount() - 1;
    doc.GetText(0, 0, last, doc.GetLineLength(last), text, u"|");
    return text;
  }
  void Undo() { Run(app::ID_EDIT_UNDO); }

  document::CQuilletDoc doc;
  CFixedMetrics metrics;
  CMemoryClipboard clipboard;
  editor::CEditorCore editor{doc, metrics};
};

}  // namespace quillet::test
