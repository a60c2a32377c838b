#pragma once
// Small vocabularies shared by the document and its views.

#include <cstdint>
#include <string_view>

namespace quillet::document {

// Line flag bits of SLineInfo.
inline constexpr uint32_t LineBookmark = 0x80000;

// Update flags passed with every notification; several may be combined.
inline constexpr uint32_t UpdateWidth = 0x1;        // longest line may have changed
inline constexpr uint32_t UpdateHeight = 0x2;       // line count changed
inline constexpr uint32_t UpdateOneLine = 0x100;    // only the given line changed
inline constexpr uint32_t UpdateMarksOnly = 0x200;  // only the line's flags changed
inline constexpr uint32_t UpdateAll = 0x1000;       // the whole text was replaced

// Line-end styles of ANSI files.
enum ELineEndStyle : int32_t { EolDetect = -1, EolCrLf = 0, EolLfCr = 1, EolLf = 2 };

[[nodiscard]] std::string_view LineEndBytes(ELineEndStyle style);

// Edit-action codes that name each undoable edit.
enum EEditAction : int32_t {
  ActionGeneric = 0,
  ActionPaste = 1,
  ActionDeleteSelection = 2,
  ActionCut = 3,
  ActionTyping = 4,
  ActionBackspace = 5,
  ActionIndent = 6,
  ActionDragDrop = 7,
  ActionReplace = 8,
  ActionDelete = 9,
  ActionAutoIndent = 10,
};

}  // namespace quillet::document
