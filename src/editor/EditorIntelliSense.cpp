#include "editor/EditorIntelliSense.h"

#include <algorithm>
#include <vector>

#include "document/QuilletDoc.h"
#include "editor/DocumentAnalysisSource.h"
#include "editor/EditorCore.h"
#include "editor/IntelliSensePopups.h"
#include "editor/TypeInformation.h"
#include "intellisense/CompletionDecision.h"
#include "intellisense/LanguageWordList.h"
#include "intellisense/ParameterTip.h"
#include "intellisense/SourceAnalysis.h"

namespace quillet::editor {
namespace {

using document::CTextPosition;
using intellisense::CCompletionSet;
using intellisense::SCompletionDecision;

// Case correction reads no longer caret line: the scan would cost a key press too much.
constexpr int32_t kLongestCorrectedLine = 256;

// The characters of the names that analysis finds: its patterns know ASCII identifiers only.
bool IsIdentifierChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int32_t IdentifierEnd(std::u16string_view line, int32_t x) {
  while (x < static_cast<int32_t>(line.size()) && IsIdentifierChar(line[static_cast<size_t>(x)])) ++x;
  return x;
}

int32_t IdentifierStart(std::u16string_view line, int32_t x) {
  while (x > 0 && IsIdentifierChar(line[static_cast<size_t>(x - 1)])) --x;
  return x;
}

}  // namespace

CEditorIntelliSense::CEditorIntelliSense(CEditorCore& core, IIntelliSensePopups& popups, CTypeInformation& types)
    : m_core(core), m_popups(popups), m_types(&types) {}

CEditorIntelliSense::~CEditorIntelliSense() = default;

std::unique_ptr<intellisense::CSourceAnalysis> CEditorIntelliSense::NewAnalysis(CDocumentAnalysisSource& source) const {
  return std::make_unique<intellisense::CSourceAnalysis>(source, m_types->Resolver(), m_types->Registry());
}

void CEditorIntelliSense::OpenMemberList(CTextPosition caret) { MemberListAt(caret.x, caret.y, {}, false); }

void CEditorIntelliSense::ListMembers() { OpenMemberList(m_core.Caret()); }

void CEditorIntelliSense::MemberListAt(int32_t column, int32_t line, std::u16string_view prefix,
                                       bool correctCaseOnly) {
  CDocumentAnalysisSource source(m_core.Document(), m_core.Colorizer());
  const auto set = NewAnalysis(source)->AnalyseForMemberList(column, line);
  if (set) ShowCompletion(*set, prefix, correctCaseOnly);
}

void CEditorIntelliSense::ShowCompletion(const CCompletionSet& set, std::u16string_view prefix, bool correctCaseOnly) {
  const SCompletionDecision decision = intellisense::DecideCompletion(set, prefix, correctCaseOnly);
  switch (decision.kind) {
    case SCompletionDecision::EKind::Replace: ApplyCompletion(decision.name, decision.count); break;
    case SCompletionDecision::EKind::ShowList: m_popups.ShowMemberList(set, prefix); break;
    case SCompletionDecision::EKind::Nothing: break;
  }
}

void CEditorIntelliSense::ApplyCompletion(std::u16string_view name, int32_t count) {
  if (name.empty()) return;
  m_core.ReplaceBeforeCaret(count, name);
}

void CEditorIntelliSense::OpenParameterTip(CTextPosition caret) {
  CDocumentAnalysisSource source(m_core.Document(), m_core.Colorizer());
  const auto tip = intellisense::BuildParameterTip(NewAnalysis(source)->AnalyseForParameterTip(caret.x, caret.y));
  if (tip) m_popups.ShowParameterTip(*tip);
}

void CEditorIntelliSense::ParametersInfo() { OpenParameterTip(m_core.Caret()); }

void CEditorIntelliSense::CompleteWord() {
  CTextPosition caret = m_core.Caret();
  const std::u16string_view text = m_core.Document().GetLine(caret.y);
  std::u16string word;
  if (m_core.HasSelection()) {
    const CTextPosition start = m_core.SelectionStart();
    const CTextPosition end = m_core.SelectionEnd();
    // Only a selection within one line is a word; the caret goes to its end.
    if (start.y == end.y) word = text.substr(static_cast<size_t>(start.x), static_cast<size_t>(end.x - start.x));
    caret = end;
  } else {
    caret.x = IdentifierEnd(text, caret.x);
    const int32_t start = IdentifierStart(text, caret.x);
    word = text.substr(static_cast<size_t>(start), static_cast<size_t>(caret.x - start));
  }
  m_core.SetCaret(caret);
  const auto start = caret.x - static_cast<int32_t>(word.size());
  if (start > 0 && start <= static_cast<int32_t>(text.size()) && text[static_cast<size_t>(start - 1)] == u'.') {
    MemberListAt(start, caret.y, word, false);
    return;
  }
  CDocumentAnalysisSource source(m_core.Document(), m_core.Colorizer());
  CCompletionSet set;
  set.AddLanguageWords();
  set.AddDeclaredNames(NewAnalysis(source)->Declarations().CollectDeclaredNames(caret.y));
  ShowCompletion(set, word, false);
}

void CEditorIntelliSense::CorrectWordCase(CTextPosition wordEnd) { CorrectCase(wordEnd.x, wordEnd.y, true); }

void CEditorIntelliSense::CorrectIdentifierCase(CTextPosition at) { CorrectCase(at.x, at.y, false); }

// Only words in plain text or keywords are corrected: not those inside strings or comments.
bool CEditorIntelliSense::IsCorrectableRun(int32_t column, int32_t line) {
  CDocumentAnalysisSource source(m_core.Document(), m_core.Colorizer());
  std::vector<intellisense::SColourRun> runs;
  source.ScanLine(line, m_core.Document().GetLine(line), runs);
  const auto run = std::find_if(runs.rbegin(), runs.rend(),
                                [column](const intellisense::SColourRun& r) { return r.start <= column; });
  if (run == runs.rend()) return false;
  return run->colour == ColorNormalText || run->colour == ColorKeyword;
}

void CEditorIntelliSense::CorrectCase(int32_t column, int32_t line, bool wordEndsAtColumn) {
  document::CQuilletDoc& document = m_core.Document();
  document.ClearTextChanged();
  if (line < 0 || line >= document.GetLineCount()) return;
  const std::u16string_view text = document.GetLine(line);
  if (static_cast<int32_t>(text.size()) > kLongestCorrectedLine) return;
  column = std::clamp(column, 0, static_cast<int32_t>(text.size()));
  if (!IsCorrectableRun(column, line)) return;

  int32_t start = IdentifierStart(text, column);
  while (start < column && IsDigit(text[static_cast<size_t>(start)])) ++start;
  const int32_t end = wordEndsAtColumn ? column : IdentifierEnd(text, column);
  if (end <= start) return;
  const std::u16string word(text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));

  if (start > 0 && text[static_cast<size_t>(start - 1)] == u'.') {
    // A member takes its library's spelling through an ordinary edit, which can be undone.
    const CTextPosition caret = m_core.Caret();
    m_core.SetCaret({end, line});
    MemberListAt(start, line, word, true);
    m_core.SetCaret(caret);
    document.ClearTextChanged();
    return;
  }
  if (const auto keyword = intellisense::FindLanguageWord(word)) {
    if (*keyword != word) return m_core.RewriteWordCase({start, line}, *keyword);
  }
  CDocumentAnalysisSource source(document, m_core.Colorizer());
  if (const auto spelling = NewAnalysis(source)->Declarations().FindDeclaredSpelling(line, word)) {
    m_core.RewriteWordCase({start, line}, *spelling);
  }
}

}  // namespace quillet::editor
