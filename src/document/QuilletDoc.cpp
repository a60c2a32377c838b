#include "document/QuilletDoc.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "document/DeleteContext.h"
#include "document/DocumentView.h"
#include "document/EditActionText.h"
#include "document/InsertContext.h"

namespace quillet::document {
namespace {

constexpr int32_t CapacityFor(int32_t needed) { return (needed / 16 + 1) * 16; }
static_assert(CapacityFor(CQuilletDoc::kMaxLineLength) > CQuilletDoc::kMaxLineLength);

}  // namespace

CQuilletDoc::CQuilletDoc() {
  AppendLine({});
  m_initialised = true;
}

CQuilletDoc::~CQuilletDoc() = default;

void CQuilletDoc::AddView(IDocumentView* view) {
  if (std::find(m_views.begin(), m_views.end(), view) == m_views.end()) m_views.push_back(view);
}

void CQuilletDoc::RemoveView(IDocumentView* view) {
  m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CQuilletDoc::UpdateViews(IDocumentView* source, const CUpdateContext* context,
                              uint32_t flags, int32_t line) {
  // A view may detach itself while being told; walk a copy.
  const std::vector<IDocumentView*> views = m_views;
  for (IDocumentView* view : views) view->OnDocumentUpdate(source, context, flags, line);
}

int32_t CQuilletDoc::GetLineLength(int32_t line) const { return m_lines[line].length; }

const char16_t* CQuilletDoc::GetLineChars(int32_t line) const { return m_lines[line].text.get(); }

std::u16string_view CQuilletDoc::GetLine(int32_t line) const {
  const SLineInfo& info = m_lines[line];
  return info.length > 0 ? std::u16string_view(info.text.get(), info.length) : std::u16string_view();
}

uint32_t CQuilletDoc::GetLineFlags(int32_t line) const { return m_lines[line].flags; }

int32_t CQuilletDoc::GetLineCapacity(int32_t line) const { return m_lines[line].capacity; }

bool CQuilletDoc::IsValidPosition(int32_t line, int32_t ch) const {
  return line >= 0 && line < GetLineCount() && ch >= 0 && ch <= m_lines[line].length;
}

bool CQuilletDoc::GetText(int32_t startLine, int32_t startChar, int32_t endLine, int32_t endChar,
                          std::u16string& text, std::u16string_view lineBreak) const {
  text.clear();
  if (!IsValidPosition(startLine, startChar) || !IsValidPosition(endLine, endChar) ||
      CTextPosition{endChar, endLine} < CTextPosition{startChar, startLine}) {
    return false;
  }
  if (startLine == endLine) {
    text = GetLine(startLine).substr(startChar, endChar - startChar);
    return true;
  }
  size_t size = 0;
  for (int32_t line = startLine; line <= endLine; ++line) {
    size += m_lines[line].length + lineBreak.size();
  }
  text.reserve(size);
  text += GetLine(startLine).substr(startChar);
  for (int32_t line = startLine + 1; line < endLine; ++line) {
    text += lineBreak;
    text += GetLine(line);
  }
  text += lineBreak;
  text += GetLine(endLine).substr(0, endChar);
  return true;
}

// --- line marks ------------------------------------------------------------------------------

bool CQuilletDoc::SetLineFlag(int32_t line, uint32_t bit, bool on, bool unique) {
  if (!std::has_single_bit(bit)) return false;
  if (line == -1) {
    line = FindLineWithFlag(bit);
    if (line < 0) return true;
    unique = false;
  }
  if (line < 0 || line >= GetLineCount()) return false;
  const uint32_t old = m_lines[line].flags;
  const uint32_t updated = on ? (old | bit) : (old & ~bit);
  if (updated == old) return true;
  if (unique && on) {
    const int32_t previous = FindLineWithFlag(bit);
    if (previous >= 0) {
      m_lines[previous].flags &= ~bit;
      UpdateViews(nullptr, nullptr, UpdateOneLine | UpdateMarksOnly, previous);
    }
  }
  m_lines[line].flags = updated;
  UpdateViews(nullptr, nullptr, UpdateOneLine | UpdateMarksOnly, line);
  return true;
}

int32_t CQuilletDoc::FindLineWithFlag(uint32_t bits) const {
  for (int32_t line = 0; line < GetLineCount(); ++line) {
    if ((m_lines[line].flags & bits) != 0) return line;
  }
  return -1;
}

int32_t CQuilletDoc::FindLineWithSingleFlag(uint32_t bit) const {
  return std::has_single_bit(bit) ? FindLineWithFlag(bit) : -1;
}

int32_t CQuilletDoc::FindNextBookmark(int32_t line) const {
  if (line < 0 || line >= GetLineCount()) return -1;
  const int32_t start = (m_lines[line].flags & LineBookmark) ? line + 1 : line;
  for (int32_t i = start; i < GetLineCount(); ++i) {
    if (m_lines[i].flags & LineBookmark) return i;
  }
  for (int32_t i = 0; i < GetLineCount(); ++i) {
    if (m_lines[i].flags & LineBookmark) return i;
  }
  return -1;
}

int32_t CQuilletDoc::FindPrevBookmark(int32_t line) const {
  if (line < 0 || line >= GetLineCount()) return -1;
  const int32_t start = (m_lines[line].flags & LineBookmark) ? line - 1 : line;
  for (int32_t i = start; i >= 0; --i) {
    if (m_lines[i].flags & LineBookmark) return i;
  }
  for (int32_t i = GetLineCount() - 1; i >= 0; --i) {
    if (m_lines[i].flags & LineBookmark) return i;
  }
  return -1;
}

// --- line storage ----------------------------------------------------------------------------

void CQuilletDoc::Reserve(SLineInfo& line, int32_t needed) {
  if (needed < line.capacity) return;
  const int32_t capacity = CapacityFor(needed);
  auto grown = std::make_unique<char16_t[]>(static_cast<size_t>(capacity));
  if (line.length > 0) std::memcpy(grown.get(), line.text.get(), line.length * sizeof(char16_t));
  line.text = std::move(grown);
  line.capacity = capacity;
}

void CQuilletDoc::AppendToLine(SLineInfo& line, std::u16string_view text) {
  if (text.empty()) return;
  Reserve(line, line.length + static_cast<int32_t>(text.size()));
  std::memcpy(line.text.get() + line.length, text.data(), text.size() * sizeof(char16_t));
  line.length += static_cast<int32_t>(text.size());
}

CQuilletDoc::SLineInfo& CQuilletDoc::InsertEmptyLine(int32_t index, int32_t capacityNeeded) {
  SLineInfo info;
  info.capacity = CapacityFor(capacityNeeded);
  info.text.reset(new char16_t[static_cast<size_t>(info.capacity)]);
  return *m_lines.insert(m_lines.begin() + index, std::move(info));
}

void CQuilletDoc::AppendLine(std::u16string_view text) {
  SLineInfo& line = InsertEmptyLine(GetLineCount(), static_cast<int32_t>(text.size()));
  AppendToLine(line, text);
  m_initialised = true;
}

// --- primitives ------------------------------------------------------------------------------

CQuilletDoc::Pieces CQuilletDoc::SplitAtBreaks(std::u16string_view text) {
  Pieces pieces;
  size_t pos = 0;
  while (true) {
    const size_t cr = text.find(u'\r', pos);
    pieces.push_back(text.substr(pos, cr == std::u16string_view::npos ? text.npos : cr - pos));
    if (cr == std::u16string_view::npos) return pieces;
    pos = cr + 1;
    if (pos < text.size() && text[pos] == u'\n') ++pos;
  }
}

CQuilletDoc::Pieces CQuilletDoc::RecordedPieces(const SUndoRecord& record) {
  if (record.flags & UndoInsert) return SplitAtBreaks(record.text);
  const std::u16string_view text = record.text;
  Pieces pieces;
  size_t pos = 0;
  for (const int32_t length : record.pieceLengths) {
    pieces.push_back(text.substr(pos, static_cast<size_t>(length)));
    pos += static_cast<size_t>(length) + 2;  // the CR LF that GetText put between lines
  }
  pieces.push_back(text.substr(std::min(pos, text.size())));
  return pieces;
}

bool CQuilletDoc::InsertPrimitive(int32_t line, int32_t ch, const Pieces& pieces,
                                  int32_t& endLine, int32_t& endChar) {
  if (!IsValidPosition(line, ch)) return false;
  m_textChanged = true;
  SLineInfo& first = m_lines[line];
  const std::u16string tail(GetLine(line).substr(ch));
  first.length = ch;
  AppendToLine(first, pieces.front());
  const int32_t added = static_cast<int32_t>(pieces.size()) - 1;
  if (added > 0) {
    std::vector<SLineInfo> newLines(static_cast<size_t>(added));
    for (int32_t i = 0; i < added; ++i) {
      const std::u16string_view piece = pieces[static_cast<size_t>(i) + 1];
      Reserve(newLines[i], static_cast<int32_t>(piece.size()));
      AppendToLine(newLines[i], piece);
    }
    m_lines.insert(m_lines.begin() + line + 1, std::make_move_iterator(newLines.begin()),
                   std::make_move_iterator(newLines.end()));
  }
  endLine = line + added;
  endChar = m_lines[endLine].length;
  AppendToLine(m_lines[endLine], tail);
  if (added > 0) ShiftBreakpointsForInsert(line, added);

  const CInsertContext context({ch, line}, {endChar, endLine});
  UpdateViews(nullptr, &context,
              added > 0 ? (UpdateWidth | UpdateHeight) : (UpdateOneLine | UpdateWidth), line);
  if (!m_modified) m_modified = true;
  return true;
}

bool CQuilletDoc::DeletePrimitive(int32_t startLine, int32_t startChar, int32_t endLine,
                                  int32_t endChar) {
  if (!IsValidPosition(startLine, startChar) || !IsValidPosition(endLine, endChar) ||
      CTextPosition{endChar, endLine} < CTextPosition{startChar, startLine}) {
    return false;
  }
  m_textChanged = true;
  uint32_t flags = UpdateWidth;
  if (startLine == endLine) {
    SLineInfo& line = m_lines[startLine];
    if (endChar > startChar) {
      std::memmove(line.text.get() + startChar, line.text.get() + endChar,
                   (line.length - endChar) * sizeof(char16_t));
      line.length -= endChar - startChar;
    }
    flags |= UpdateOneLine;
  } else {
    const std::u16string tail(GetLine(endLine).substr(endChar));
    m_lines.erase(m_lines.begin() + startLine + 1, m_lines.begin() + endLine + 1);
    m_lines[startLine].length = startChar;
    AppendToLine(m_lines[startLine], tail);
    ShiftBreakpointsForDelete(startLine, endLine);
    flags |= UpdateHeight;
  }
  const CDeleteContext context({startChar, startLine}, {endChar, endLine});
  UpdateViews(nullptr, &context, flags, startLine);
  if (!m_modified) m_modified = true;
  return true;
}

void CQuilletDoc::ShiftBreakpointsForInsert(int32_t line, int32_t added) {
  if (m_breakpoints.empty()) return;
  BreakpointTable shifted;
  shifted.reserve(m_breakpoints.size());
  for (const auto& [key, value] : m_breakpoints) shifted[key > line ? key + added : key] = value;
  m_breakpoints.swap(shifted);
}

void CQuilletDoc::ShiftBreakpointsForDelete(int32_t startLine, int32_t endLine) {
  if (m_breakpoints.empty()) return;
  BreakpointTable shifted;
  shifted.reserve(m_breakpoints.size());
  for (const auto& [key, value] : m_breakpoints) {
    if (key < startLine) {
      shifted[key] = value;
    } else if (key >= endLine) {
      shifted[key - (endLine - startLine)] = value;
    }
  }
  m_breakpoints.swap(shifted);
}

// --- editing with undo -----------------------------------------------------------------------

bool CQuilletDoc::InsertText(IDocumentView* source, int32_t line, int32_t ch,
                             std::u16string_view text, int32_t& endLine, int32_t& endChar,
                             int32_t action) {
  if (!InsertPrimitive(line, ch, SplitAtBreaks(text), endLine, endChar)) return false;
  const bool opened = !m_groupOpen;
  if (opened) BeginUndoGroup(false);
  AddUndoRecord(true, {ch, line}, {endChar, endLine}, text, {}, action);
  if (opened) FlushUndoGroup(source);
  return true;
}

bool CQuilletDoc::DeleteText(IDocumentView* source, int32_t startLine, int32_t startChar,
                             int32_t endLine, int32_t endChar, int32_t action) {
  std::u16string removed;
  if (!GetText(startLine, startChar, endLine, endChar, removed)) return false;
  std::vector<int32_t> pieceLengths;
  if (endLine > startLine) {
    pieceLengths.reserve(static_cast<size_t>(endLine - startLine));
    pieceLengths.push_back(m_lines[startLine].length - startChar);
    for (int32_t i = startLine + 1; i < endLine; ++i) pieceLengths.push_back(m_lines[i].length);
  }
  if (!DeletePrimitive(startLine, startChar, endLine, endChar)) return false;
  const bool opened = !m_groupOpen;
  if (opened) BeginUndoGroup(false);
  AddUndoRecord(false, {startChar, startLine}, {endChar, endLine}, removed,
                std::move(pieceLengths), action);
  if (opened) FlushUndoGroup(source);
  return true;
}

bool CQuilletDoc::RewriteInPlace(int32_t line, int32_t ch, std::u16string_view text) {
  if (line < 0 || line >= GetLineCount() || ch < 0) return false;
  SLineInfo& info = m_lines[line];
  if (ch > info.length || static_cast<size_t>(info.length - ch) < text.size()) return false;
  std::copy(text.begin(), text.end(), info.text.get() + ch);
  return true;
}

void CQuilletDoc::BeginUndoGroup(bool mergeWithPrevious) {
  m_groupOpen = true;
  m_groupStartPending = !(mergeWithPrevious && m_undoPosition > 0);
}

void CQuilletDoc::FlushUndoGroup(IDocumentView* source) {
  if (source != nullptr && m_undoPosition > 0) {
    m_groupStartPending = true;
    const SUndoRecord& last = m_undo[m_undoPosition - 1];
    source->OnEditOperation(last.action, last.text);
  }
  m_groupOpen = false;
}

void CQuilletDoc::AddUndoRecord(bool insert, CTextPosition start, CTextPosition end,
                                std::u16string_view text, std::vector<int32_t> pieceLengths,
                                int32_t action) {
  if (m_undoPosition < static_cast<int32_t>(m_undo.size())) {
    m_undo.resize(static_cast<size_t>(m_undoPosition));
    // The saved state was among the discarded redo steps: no undo or redo reaches it again.
    if (m_savedPosition > m_undoPosition) m_savedPosition = -1;
  }
  if (static_cast<int32_t>(m_undo.size()) >= m_undoLimit) DropOldestUndoGroup();
  SUndoRecord record;
  record.flags = insert ? UndoInsert : 0;
  // The oldest record always starts a group, even after trimming cut into an open group,
  // so that Undo never runs off the front of the history.
  if (m_groupStartPending || m_undo.empty()) record.flags |= UndoGroupStart;
  m_groupStartPending = false;
  record.start = start;
  record.end = end;
  record.action = action;
  record.text = text;
  record.pieceLengths = std::move(pieceLengths);
  m_undo.push_back(std::move(record));
  m_undoPosition = static_cast<int32_t>(m_undo.size());
}

void CQuilletDoc::DropOldestUndoGroup() {
  size_t count = 1;
  while (count < m_undo.size() && !(m_undo[count].flags & UndoGroupStart)) ++count;
  m_undo.erase(m_undo.begin(), m_undo.begin() + static_cast<std::ptrdiff_t>(count));
  m_undoPosition -= static_cast<int32_t>(count);
  if (m_savedPosition >= 0) {
    m_savedPosition -= static_cast<int32_t>(count);
    if (m_savedPosition < 0) m_savedPosition = -1;
  }
}

void CQuilletDoc::SyncModifiedWithSavedPosition() {
  m_modified = m_undoPosition != m_savedPosition;
}

bool CQuilletDoc::ApplyRecord(const SUndoRecord& record, bool forward, CTextPosition& caret) {
  const bool inserting = ((record.flags & UndoInsert) != 0) == forward;
  if (!inserting) {
    if (!DeletePrimitive(record.start.y, record.start.x, record.end.y, record.end.x)) return false;
    caret = record.start;
    return true;
  }
  int32_t endLine = 0;
  int32_t endChar = 0;
  if (!InsertPrimitive(record.start.y, record.start.x, RecordedPieces(record), endLine, endChar)) {
    return false;
  }
  caret = record.end;
  return true;
}

// A record that no longer fits the text (which only a change made outside the history could
// cause) stops the walk there, so that the history position always matches the text.
bool CQuilletDoc::Undo(CTextPosition& caret) {
  if (!CanUndo()) return false;
  bool applied = true;
  while (m_undoPosition > 0) {
    const SUndoRecord& record = m_undo[m_undoPosition - 1];
    applied = ApplyRecord(record, false, caret);
    if (!applied) break;
    --m_undoPosition;
    if (record.flags & UndoGroupStart) break;
  }
  SyncModifiedWithSavedPosition();
  return applied;
}

bool CQuilletDoc::Redo(CTextPosition& caret) {
  if (!CanRedo()) return false;
  bool applied = true;
  do {
    applied = ApplyRecord(m_undo[m_undoPosition], true, caret);
    if (!applied) break;
    ++m_undoPosition;
  } while (m_undoPosition < static_cast<int32_t>(m_undo.size()) &&
           !(m_undo[m_undoPosition].flags & UndoGroupStart));
  SyncModifiedWithSavedPosition();
  return applied;
}

bool CQuilletDoc::GetActionDescription(int32_t action, std::u16string& text) const {
  const auto description = EditActionText(action);
  if (!description) {
    text.clear();
    return false;
  }
  text = description->text;
  return true;
}

bool CQuilletDoc::GetUndoDescription(std::u16string& text) const {
  text.clear();
  for (int32_t i = m_undoPosition - 1; i >= 0; --i) {
    if (m_undo[i].flags & UndoGroupStart) return GetActionDescription(m_undo[i].action, text);
  }
  return false;
}

bool CQuilletDoc::GetRedoDescription(std::u16string& text) const {
  text.clear();
  if (!CanRedo()) return false;
  return GetActionDescription(m_undo[m_undoPosition].action, text);
}

// --- lifecycle -------------------------------------------------------------------------------

void CQuilletDoc::ResetUndo() {
  m_undo.clear();
  m_undoPosition = 0;
  m_savedPosition = 0;
  m_groupOpen = false;
  m_groupStartPending = false;
  m_undoLimit = kUndoLimit;
}

void CQuilletDoc::FreeAll() {
  m_lines.clear();
  ResetUndo();
  m_initialised = false;
}

void CQuilletDoc::InitNew(ELineEndStyle style) {
  if (GetLineCount() == 0) AppendLine({});
  m_lineEndStyle = style;
  m_initialised = true;
  m_modified = false;
  ResetUndo();
  UpdateViews(nullptr, nullptr, UpdateAll, -1);
}

void CQuilletDoc::DeleteContents() {
  m_unicode = false;
  m_breakpoints.clear();
  FreeAll();
}

bool CQuilletDoc::OnNewDocument() {
  DeleteContents();
  m_pathName.clear();
  InitNew(EolCrLf);
  return true;
}

}  // namespace quillet::document
