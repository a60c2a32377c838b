#include "editor/EditorCore.h"

#include <algorithm>
#include <string>

#include "base/CommandIds.h"
#include "base/SettingsInventory.h"
#include "document/QuilletDoc.h"
#include "document/UpdateContext.h"
#include "editor/EditorClipboard.h"
#include "editor/IntelliSenseHooks.h"
#include "editor/LineText.h"
#include "editor/TextMetrics.h"
#include "editor/ViewHost.h"

namespace quillet::editor {
namespace {

IIntelliSenseHooks& NoIntelliSense() {
  static IIntelliSenseHooks hooks;
  return hooks;
}

IViewHost& NoHost() {
  static IViewHost host;
  return host;
}

[[nodiscard]] std::u16string Number(int32_t value) {
  const std::string digits = std::to_string(value);
  return {digits.begin(), digits.end()};
}

[[nodiscard]] int32_t DigitCount(int32_t value) {
  int32_t digits = 1;
  for (; value >= 10; value /= 10) ++digits;
  return digits;
}

}  // namespace

using document::CTextPosition;

CEditorCore::CEditorCore(document::CQuilletDoc& document, const ITextMetrics& metrics)
    : m_document(document), m_metrics(metrics), m_hooks(&NoIntelliSense()), m_colorizer(document) {
  m_lineCount = m_document.GetLineCount();
  UpdateMarginWidth();
  m_document.AddView(this);
}

CEditorCore::~CEditorCore() { m_document.RemoveView(this); }

void CEditorCore::SetIntelliSense(IIntelliSenseHooks* hooks) {
  m_hooks = hooks != nullptr ? hooks : &NoIntelliSense();
}

void CEditorCore::SetSettings(app::CSettings* settings, int32_t defaultFontHeight) {
  m_appSettings = settings;
  m_defaultFontHeight = defaultFontHeight;
  ReloadSettings();
}

void CEditorCore::ReloadSettings() {
  m_colors.Load(m_appSettings);
  ApplySettings(ReadEditorSettings(m_appSettings, m_defaultFontHeight));
}

void CEditorCore::ApplySettings(const SEditorSettings& settings) {
  m_settings = settings;
  m_settings.tabSize = std::clamp(m_settings.tabSize, 1, 64);
  m_longestColumns = -1;
  UpdateMarginWidth();
  IViewHost& host = m_host != nullptr ? *m_host : NoHost();
  host.ScrollRangesChanged();
  host.InvalidateAll();
  host.CaretChanged();
}

std::u16string CEditorCore::SelectedText() const {
  std::u16string text;
  if (HasSelection()) {
    m_document.GetText(m_selStart.y, m_selStart.x, m_selEnd.y, m_selEnd.x, text);
  }
  return text;
}

int32_t CEditorCore::VisibleLines() const {
  return std::max(1, m_metrics.ClientHeight() / std::max(1, m_metrics.LineHeight()));
}

int32_t CEditorCore::VisibleColumns() const {
  return std::max(1, (m_metrics.ClientWidth() - MarginCellWidth()) / std::max(1, m_metrics.CharWidth()));
}

int32_t CEditorCore::DisplayColumnOf(CTextPosition position) const {
  return DisplayColumn(m_document.GetLine(position.y), position.x, m_settings.tabSize);
}

// Measured once and then only widened by edits: a keystroke must not rescan the file, and a
// scroll range that stays a little too wide after the longest line shrank does no harm.
int32_t CEditorCore::LongestLineColumns() {
  if (m_longestColumns < 0) {
    m_longestColumns = 0;
    for (int32_t line = 0; line < m_document.GetLineCount(); ++line) {
      m_longestColumns = std::max(m_longestColumns, DisplayColumnOf({m_document.GetLineLength(line), line}));
    }
  }
  return m_longestColumns;
}

int32_t CEditorCore::Advance(char16_t c, int32_t sum) const {
  if (c != u'\t') return m_metrics.CharWidth(c);
  const int32_t tabPixels = std::max(1, m_settings.tabSize * m_metrics.CharWidth());
  return (sum / tabPixels + 1) * tabPixels - sum;
}

std::u16string CEditorCore::PositionText() const {
  return u"Ln " + Number(m_caret.y + 1) + u", Col " + Number(m_caret.x + 1);
}

std::u16string CEditorCore::UndoMenuText() const {
  std::u16string description;
  if (!m_document.CanUndo() || !m_document.GetUndoDescription(description)) return u"&Undo\tCtrl+Z";
  return u"&Undo " + description + u"\tCtrl+Z";
}

std::u16string CEditorCore::RedoMenuText() const {
  std::u16string description;
  if (!m_document.CanRedo() || !m_document.GetRedoDescription(description)) return u"&Redo\tCtrl+Y";
  return u"&Redo " + description + u"\tCtrl+Y";
}

bool CEditorCore::IsCommandEnabled(int32_t id) const {
  using namespace app;
  switch (id) {
    case ID_EDIT_UNDO: return m_document.CanUndo();
    case ID_EDIT_REDO: return m_document.CanRedo();
    case ID_EDIT_COPY:
    case ID_EDIT_CUT: return HasSelection();
    case ID_EDIT_PASTE: return m_clipboard != nullptr && m_clipboard->HasText();
    case ID_EDIT_NEXT_BOOKMARK:
    case ID_EDIT_PREVIOUS_BOOKMARK:
    case ID_EDIT_CLEAR_ALL_BOOKMARKS: return m_hasBookmarks;
    default: return true;
  }
}

bool CEditorCore::ExecuteCommand(int32_t id) {
  return MoveCommand(id) || EditCommand(id) || BookmarkCommand(id) || ViewCommand(id) || IntelliSenseCommand(id);
}

bool CEditorCore::ViewCommand(int32_t id) {
  SEditorSettings settings = m_settings;
  if (id == app::ID_VIEW_LINE_NUMBERS) {
    settings.lineNumbers = !settings.lineNumbers;
    if (m_appSettings != nullptr) m_appSettings->Write(app::settings::ViewLineNumbers, settings.lineNumbers);
  } else if (id == app::ID_VIEW_WHITESPACE) {
    settings.showWhitespace = !settings.showWhitespace;
    if (m_appSettings != nullptr) m_appSettings->Write(app::settings::ViewTabs, settings.showWhitespace);
  } else if (id == app::ID_EDIT_SWITCH_OVRMODE) {
    m_overwrite = !m_overwrite;
    if (m_host != nullptr) m_host->CaretChanged();
    return true;
  } else {
    return false;
  }
  ApplySettings(settings);
  return true;
}

void CEditorCore::ScrollTo(int32_t firstLine, int32_t firstColumn) {
  firstLine = std::clamp(firstLine, 0, m_document.GetLineCount() - 1);
  firstColumn = std::clamp(firstColumn, 0, std::max(0, LongestLineColumns()));
  if (firstLine == m_firstLine && firstColumn == m_firstColumn) return;
  m_firstLine = firstLine;
  m_firstColumn = firstColumn;
  if (m_host != nullptr) {
    m_host->Scrolled();
    m_host->InvalidateAll();
  }
}

void CEditorCore::ScrollLines(int32_t delta) { ScrollTo(m_firstLine + delta, m_firstColumn); }

void CEditorCore::OnWheel(int32_t delta) { ScrollLines(-(delta / 20)); }

void CEditorCore::ScrollCaretIntoView() {
  int32_t first = m_firstLine;
  const int32_t visible = VisibleLines();
  if (m_caret.y < first) first = m_caret.y;
  if (m_caret.y >= first + visible) first = m_caret.y - visible + 1;
  int32_t column = m_firstColumn;
  const int32_t caretColumn = DisplayColumnOf(m_caret);
  const int32_t columns = VisibleColumns();
  if (caretColumn >= column + columns) column = caretColumn - columns + 1;
  if (caretColumn < column) column = caretColumn - 5;
  ScrollTo(first, column);
}

void CEditorCore::UpdateMarginWidth() {
  int32_t width = kMarginMinimum;
  if (m_settings.lineNumbers) {
    // trunc(log10(count + 1)) digits, counted without floating point.
    const int32_t digits = DigitCount(m_document.GetLineCount() + 1) - 1;
    width = std::max(width, m_metrics.MarginDigitWidth() * digits + 12);
  }
  if (width == m_marginWidth) return;
  m_marginWidth = width;
  if (m_host != nullptr) {
    m_host->ScrollRangesChanged();
    m_host->InvalidateAll();
  }
}

void CEditorCore::ResetView() {
  m_caret = m_anchor = m_selStart = m_selEnd = {};
  m_firstLine = m_firstColumn = m_idealColumn = 0;
  m_longestColumns = -1;
  m_dragging = m_dragPending = m_capturing = false;
  m_hasBookmarks = m_document.FindLineWithFlag(document::LineBookmark) >= 0;
}

void CEditorCore::OnDocumentUpdate(document::IDocumentView*, const document::CUpdateContext* context,
                                   uint32_t flags, int32_t line) {
  using namespace document;
  UpdateMarginWidth();
  IViewHost& host = m_host != nullptr ? *m_host : NoHost();
  const int32_t oldCount = m_lineCount;
  m_lineCount = m_document.GetLineCount();
  if ((flags & UpdateAll) != 0) {
    (void)m_colorizer.Invalidate(flags, line);
    ResetView();
    host.ScrollRangesChanged();
    host.InvalidateAll();
    host.CaretChanged();
    return;
  }
  const int32_t last = m_colorizer.Invalidate(flags, line);
  host.InvalidateLines(std::max(line, 0), line < 0 ? -1 : last);
  if (context != nullptr) RecalcPositions(*context);
  ClampPositions();
  if ((flags & UpdateWidth) != 0 && m_longestColumns >= 0 && line >= 0) {
    const int32_t added = std::max(0, m_lineCount - oldCount);
    for (int32_t i = line; i <= line + added && i < m_lineCount; ++i) {
      m_longestColumns = std::max(m_longestColumns, DisplayColumnOf({m_document.GetLineLength(i), i}));
    }
  }
  if ((flags & (UpdateWidth | UpdateHeight)) != 0 && !m_blockOperation) host.ScrollRangesChanged();
  host.CaretChanged();
}

void CEditorCore::RecalcPositions(const document::CUpdateContext& context) {
  m_caret = context.RecalcPoint(m_caret);
  m_anchor = context.RecalcPoint(m_anchor);
  m_selStart = context.RecalcPoint(m_selStart);
  m_selEnd = context.RecalcPoint(m_selEnd);
  if (m_dragging) {
    m_dragStart = context.RecalcPoint(m_dragStart);
    m_dragEnd = context.RecalcPoint(m_dragEnd);
  }
  m_firstLine = context.RecalcPoint({0, m_firstLine}).y;
}

void CEditorCore::ClampPositions() {
  const int32_t lastLine = m_document.GetLineCount() - 1;
  for (CTextPosition* p : {&m_caret, &m_anchor, &m_selStart, &m_selEnd, &m_dragStart, &m_dragEnd}) {
    p->y = std::clamp(p->y, 0, lastLine);
    p->x = std::clamp(p->x, 0, m_document.GetLineLength(p->y));
  }
  m_firstLine = std::clamp(m_firstLine, 0, lastLine);
}

void CEditorCore::InvalidateSelectionChange(CTextPosition oldStart, CTextPosition oldEnd,
                                            int32_t oldCaretLine) {
  if (m_host == nullptr) return;
  m_host->InvalidateLines(oldCaretLine, oldCaretLine);
  m_host->InvalidateLines(m_caret.y, m_caret.y);
  if (oldStart != oldEnd) m_host->InvalidateLines(oldStart.y, oldEnd.y);
  if (HasSelection()) m_host->InvalidateLines(m_selStart.y, m_selEnd.y);
}

}  // namespace quillet::editor
