#pragma once
// The editing logic of one view: caret, selection, scrolling, every editing command and the
// mouse and drag-and-drop rules, without any toolkit. It is the document's view; the window
// that shows it only maps events to these calls and paints what it is told to.

#include <cstdint>
#include <string>
#include <string_view>

#include "document/DocumentView.h"
#include "document/TextPosition.h"
#include "editor/ColorTable.h"
#include "editor/EditorSettings.h"
#include "editor/SyntaxColorizer.h"

namespace quillet::app {
class CSettings;
}
namespace quillet::document {
class CQuilletDoc;
}

namespace quillet::editor {

class IEditorClipboard;
class IIntelliSenseHooks;
class ISnippetSource;
class ITextMetrics;
class IViewHost;

class CEditorCore : public document::IDocumentView {
 public:
  using CTextPosition = document::CTextPosition;

  static constexpr int32_t kMarginMinimum = 35;
  static constexpr int32_t kLineStripWidth = 10;

  CEditorCore(document::CQuilletDoc& document, const ITextMetrics& metrics);
  ~CEditorCore() override;
  CEditorCore(const CEditorCore&) = delete;
  CEditorCore& operator=(const CEditorCore&) = delete;

  // Collaborators; each may be null (then nothing is shown, no IntelliSense, no clipboard).
  void SetHost(IViewHost* host) { m_host = host; }
  void SetIntelliSense(IIntelliSenseHooks* hooks);
  void SetClipboard(IEditorClipboard* clipboard) { m_clipboard = clipboard; }
  // Reads the settings now and again at every ReloadSettings.
  void SetSettings(app::CSettings* settings, int32_t defaultFontHeight);
  void ReloadSettings();
  void ApplySettings(const SEditorSettings& settings);

  [[nodiscard]] document::CQuilletDoc& Document() const { return m_document; }
  [[nodiscard]] const SEditorSettings& Settings() const { return m_settings; }
  [[nodiscard]] CSyntaxColorizer& Colorizer() { return m_colorizer; }
  [[nodiscard]] CColorTable& Colors() { return m_colors; }
  [[nodiscard]] CTextPosition Caret() const { return m_caret; }
  [[nodiscard]] CTextPosition Anchor() const { return m_anchor; }
  [[nodiscard]] CTextPosition SelectionStart() const { return m_selStart; }
  [[nodiscard]] CTextPosition SelectionEnd() const { return m_selEnd; }
  [[nodiscard]] bool HasSelection() const { return m_selStart != m_selEnd; }
  [[nodiscard]] std::u16string SelectedText() const;
  [[nodiscard]] int32_t FirstVisibleLine() const { return m_firstLine; }
  [[nodiscard]] int32_t FirstVisibleColumn() const { return m_firstColumn; }
  [[nodiscard]] int32_t VisibleLines() const;
  [[nodiscard]] int32_t VisibleColumns() const;
  [[nodiscard]] bool IsOverwrite() const { return m_overwrite; }
  [[nodiscard]] bool HasBookmarks() const { return m_hasBookmarks; }
  [[nodiscard]] int32_t DisplayColumnOf(CTextPosition position) const;
  [[nodiscard]] int32_t LongestLineColumns();
  // The marker and number area; the text starts MarginCellWidth() pixels from the left.
  [[nodiscard]] int32_t MarginWidth() const { return m_marginWidth; }
  [[nodiscard]] int32_t MarginCellWidth() const { return m_marginWidth + kLineStripWidth; }
  // A tab's or a character's advance in pixels when it starts sum pixels into the line.
  [[nodiscard]] int32_t Advance(char16_t c, int32_t sum) const;

  // "Ln %d, Col %d" of the caret, and the Undo and Redo menu texts.
  [[nodiscard]] std::u16string PositionText() const;
  [[nodiscard]] std::u16string UndoMenuText() const;
  [[nodiscard]] std::u16string RedoMenuText() const;
  [[nodiscard]] bool IsCommandEnabled(int32_t id) const;

  // Runs a command by its id; false for an id that is not the editor's.
  bool ExecuteCommand(int32_t id);
  // A typed character: Enter is '\r', Tab is '\t'.
  void OnChar(char16_t c);
  void SetCaret(CTextPosition position, bool extend = false);
  // Selects start..end with the caret at end, and shows it without the focus.
  void SetSelection(CTextPosition start, CTextPosition end);
  void ScrollTo(int32_t firstLine, int32_t firstColumn);
  void OnWheel(int32_t delta);

  // Mouse, in pixels from the window's top left.
  [[nodiscard]] CTextPosition PointToTextPosition(int32_t x, int32_t y) const;
  // The word (letters, digits, "_") at the point, as the value tips look it up; empty when the
  // point is between two other characters.
  [[nodiscard]] std::u16string WordAtPoint(int32_t x, int32_t y) const;
  void OnLButtonDown(int32_t x, int32_t y, bool shift, bool control);
  void OnLButtonDblClk(int32_t x, int32_t y);
  // True when the press was inside the selection and a drag should start now.
  bool OnMouseMove(int32_t x, int32_t y);
  void OnLButtonUp(int32_t x, int32_t y);
  // The 100 ms selection timer: scrolls towards a pointer outside the text and extends.
  void OnSelectionTimer(int32_t x, int32_t y);
  [[nodiscard]] bool IsCapturing() const { return m_capturing; }
  [[nodiscard]] bool IsInMarginStrip(int32_t x) const;
  void CancelMouse();

  // Drag and drop. The window runs the drag loop between BeginDragSource and EndDragSource.
  void BeginDragSource();
  void EndDragSource(bool moved);
  [[nodiscard]] bool IsDragSource() const { return m_dragging; }
  // Inserts dropped text at position; false when nothing was dropped as new text.
  bool DropText(CTextPosition position, std::u16string_view text);
  // Mends lone LF line breaks from other programs into the document's CR LF.
  [[nodiscard]] static std::u16string NormalizeLineBreaks(std::u16string_view text);

  void ToggleBreakpoint(int32_t line);

  // Search (FindCommands.cpp). remember keeps text and flags as the last search for F3.
  bool FindTextInBlock(std::u16string_view text, CTextPosition start, CTextPosition blockBegin,
                       CTextPosition blockEnd, uint32_t flags, bool wrap, CTextPosition& found,
                       bool remember);
  bool FindText(std::u16string_view text, CTextPosition start, uint32_t flags, bool wrap,
                CTextPosition& found, bool remember);
  // Selects length characters from position with the caret at their end.
  void HighlightText(CTextPosition position, int32_t length);
  // Two undo steps: the selection's deletion, then the insertion.
  void ReplaceSelection(std::u16string_view text);
  [[nodiscard]] bool HasLastSearch() const { return m_hasLastSearch; }
  [[nodiscard]] const std::u16string& LastSearchText() const { return m_lastSearchText; }
  [[nodiscard]] uint32_t LastSearchFlags() const { return m_lastSearchFlags; }
  // F3, or Shift+F3 with reverse: false when nothing was found.
  bool RepeatSearch(bool reverse);
  // 1-based; false, and nothing moves, outside 1..line count.
  bool GoToLine(int32_t line);
  [[nodiscard]] CTextPosition EndOfText() const;
  // While a find dialog is open the selection shows even without the focus.
  void SetShowSelectionAlways(bool on);
  [[nodiscard]] bool ShowsSelectionAlways() const { return m_showSelectionAlways; }

  // Snippets (SnippetCommands.cpp). The code goes in at the caret, in place of the selection,
  // as one undoable edit indented like the caret's line; then the next field is selected.
  void SetSnippetSource(ISnippetSource* source) { m_snippetSource = source; }
  void InsertSnippet(std::u16string_view code);
  // Text put in at the caret as a paste puts it, the caret after it.
  void InsertAsPaste(std::u16string_view text);

  // Completion (CompletionCommands.cpp). The count characters before the caret become text, as
  // one undoable paste, the caret after it and in view.
  void ReplaceBeforeCaret(int32_t count, std::u16string_view text);
  // Gives the word at position another case: same length, no undo step, the text-changed flag
  // untouched, the line repainted.
  void RewriteWordCase(CTextPosition position, std::u16string_view text);
  // F4: the next field, or else the shortcut at the caret (or the one-line selection) expanded.
  void ExpandSnippetOrSelectField();
  // Selects the first field ("{name}" as colouring marks it) from "from" on, wrapping once.
  bool SelectNextField(CTextPosition from);

  void OnDocumentUpdate(document::IDocumentView* source, const document::CUpdateContext* context,
                        uint32_t flags, int32_t line) override;
  void OnEditOperation(int32_t action, std::u16string_view text) override;

 private:
  struct SLineRange {
    int32_t first;
    int32_t last;
  };

  bool FieldStartingAt(int32_t line, int32_t column, CTextPosition& end);

  // Caret movement.
  void MoveCaret(CTextPosition position, bool extend, bool keepIdealColumn = false);
  bool MoveCommand(int32_t id);
  void MoveLeft(bool extend);
  void MoveRight(bool extend);
  void MoveWordLeft(bool extend);
  void MoveWordRight(bool extend);
  void MoveVertical(int32_t lines, bool extend);
  void MovePage(int32_t direction, bool extend);
  void MoveHome(bool extend);
  [[nodiscard]] int32_t CharAtIdealColumn(int32_t line) const;
  void ScrollCaretIntoView();
  void ScrollLines(int32_t delta);

  // Editing.
  bool EditCommand(int32_t id);
  void TypeCharacter(char16_t c);
  void TypeEnter();
  bool Insert(CTextPosition at, std::u16string_view text, int32_t action, CTextPosition* end);
  bool Delete(CTextPosition start, CTextPosition end, int32_t action);
  // Ends an undo group opened when m_editCount was editsAtStart.
  void FlushEditGroup(uint64_t editsAtStart);
  void DeleteSelection(int32_t action);
  void DeleteForward();
  void DeleteBackward();
  void DeleteWordLeft();
  void DeleteWordRight();
  void Tab();
  void Untab();
  [[nodiscard]] SLineRange SelectedLines() const;
  void SelectLines(SLineRange range);
  void BlockIndent();
  void BlockUnindent();
  void CommentLines(bool comment);
  void Copy();
  void Cut();
  void Paste();
  void SelectAll();
  bool BookmarkCommand(int32_t id);
  bool IntelliSenseCommand(int32_t id);
  bool ViewCommand(int32_t id);
  void Undo();
  void Redo();

  // Mouse.
  [[nodiscard]] int32_t AnchorLine() const;
  void ExtendByMouse(CTextPosition point, bool inMargin);
  void SelectWordsBetween(CTextPosition fixedStart, CTextPosition fixedEnd, CTextPosition point);

  // Notifications.
  void RecalcPositions(const document::CUpdateContext& context);
  void ClampPositions();
  void UpdateMarginWidth();
  void ResetView();
  void InvalidateSelectionChange(CTextPosition oldStart, CTextPosition oldEnd, int32_t oldCaretLine);

  document::CQuilletDoc& m_document;
  const ITextMetrics& m_metrics;
  IViewHost* m_host = nullptr;
  IIntelliSenseHooks* m_hooks;
  IEditorClipboard* m_clipboard = nullptr;
  ISnippetSource* m_snippetSource = nullptr;
  app::CSettings* m_appSettings = nullptr;
  int32_t m_defaultFontHeight = -13;
  SEditorSettings m_settings;
  CSyntaxColorizer m_colorizer;
  CColorTable m_colors;

  CTextPosition m_caret, m_anchor, m_selStart, m_selEnd;
  int32_t m_idealColumn = 0;
  int32_t m_firstLine = 0;
  int32_t m_firstColumn = 0;
  bool m_overwrite = false;
  bool m_hasBookmarks = false;
  bool m_blockOperation = false;
  bool m_autoIndent = true;
  int32_t m_marginWidth = kMarginMinimum;
  int32_t m_lineCount = 1;
  int32_t m_longestColumns = -1;  // unknown until asked
  uint64_t m_editCount = 0;       // successful Insert and Delete calls of this view

  // Mouse and drag state.
  bool m_capturing = false;
  bool m_wordMode = false;
  bool m_lineMode = false;
  bool m_dragPending = false;
  bool m_dragging = false;
  bool m_dropOnOwnSelection = false;
  uint64_t m_editCountAtDrag = 0;
  int32_t m_lineAnchor = 0;  // the fixed line of a line selection by the strip
  CTextPosition m_wordAnchorStart, m_wordAnchorEnd;
  CTextPosition m_dragStart, m_dragEnd;
  CTextPosition m_pressPoint;

  // Search state.
  bool m_hasLastSearch = false;
  std::u16string m_lastSearchText;
  uint32_t m_lastSearchFlags = 0;
  bool m_showSelectionAlways = false;
};

}  // namespace quillet::editor
