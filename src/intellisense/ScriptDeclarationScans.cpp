#include "intellisense/ScriptDeclarationScans.h"

#include "intellisense/AsciiText.h"
#include "intellisense/ScanOrder.h"
#include "intellisense/WordSetSearch.h"

namespace quillet::intellisense {
namespace {

constexpr size_t kDeclarationLength = 120;

enum class EScope { Undecided, Procedure, Global };

// The words of the declaration scans' lines, in the bit order VisitDeclarations reads.
constexpr CWordSetSearch kDeclarationWords{u"dim", u"private", u"const", u"sub", u"function"};
constexpr CWordSetSearch kDeclarationAndClassWords{u"dim", u"private", u"const", u"sub", u"function", u"class"};

// Whether "Sub" or "Function" stands as a word with a blank after it (and a blank or the line's
// start before it), which the procedure pattern needs: most lines that mention "sub" (a
// SubFolders call) are rejected without running the pattern at every position.
bool MayDeclareProcedure(std::u16string_view prepared) {
  for (std::u16string_view word : {std::u16string_view(u"sub"), std::u16string_view(u"function")}) {
    for (size_t from = 0; from < prepared.size();) {
      const size_t found = FindNoCase(prepared.substr(from), word);
      if (found == std::u16string_view::npos) break;
      const size_t at = from + found;
      const size_t end = at + word.size();
      if ((at == 0 || IsBlank(prepared[at - 1])) && end < prepared.size() && IsBlank(prepared[end])) return true;
      from = at + 1;
    }
  }
  return false;
}

}  // namespace

std::u16string_view MatchedGroup(regex::CRegExpW& pattern, std::u16string_view subject, int group) {
  const int start = pattern.SubStart(group);
  const int length = pattern.SubLength(group);
  if (start < 0 || length < 0 || static_cast<size_t>(start) > subject.size()) return {};
  return subject.substr(static_cast<size_t>(start), static_cast<size_t>(length));
}

std::u16string CScriptDeclarationScans::GroupText(regex::CRegExpW& pattern, int group) const {
  return std::u16string(MatchedGroup(pattern, m_line.Text(), group));
}

std::u16string_view CScriptDeclarationScans::TextBeforeGroup(regex::CRegExpW& pattern, int group) const {
  const int start = pattern.SubStart(group);
  return m_line.Text().substr(0, start < 0 ? 0 : static_cast<size_t>(start));
}

template <typename Offer>
bool CScriptDeclarationScans::ForEachIdentifier(size_t from, Offer&& offer) {
  const std::u16string_view text = m_line.Text();
  while (from < text.size() && m_patterns.identifier.Match(m_line.CStr() + from)) {
    const auto start = static_cast<size_t>(m_patterns.identifier.SubStart(0));
    const auto length = static_cast<size_t>(m_patterns.identifier.SubLength(0));
    if (!offer(text.substr(from + start, length))) return false;
    from += start + std::max<size_t>(length, 1);
  }
  return true;
}

void CScriptDeclarationScans::AddIdentifiers(size_t from, EMemberKind kind, DeclaredNames& names) {
  ForEachIdentifier(from, [&](std::u16string_view name) {
    names.emplace(std::u16string(name), kind);
    return true;
  });
}

template <typename Visit>
void CScriptDeclarationScans::ScanClassBody(std::u16string_view className,
                                            std::initializer_list<std::u16string_view> filter, Visit&& visit) {
  bool inside = false;
  const int32_t count = m_source.LineCount();
  for (int32_t line = 0; line < count; ++line) {
    if (!ContainsAnyNoCase(m_source.LineText(line), filter)) continue;
    if (!m_line.Prepare(m_source, line, CPreparedLine::ELimit::None)) continue;
    if (!inside) {
      inside = m_patterns.classStart.Match(m_line.CStr()) &&
               EqualNoCase(MatchedGroup(m_patterns.classStart, m_line.Text(), 1), className);
      continue;
    }
    if (m_patterns.endClass.Match(m_line.CStr())) return;
    if (!visit()) return;
  }
}

DeclaredNames CScriptDeclarationScans::CollectScriptClassMembers(std::u16string_view className) {
  DeclaredNames members;
  ScanClassBody(className, {u"class", u"sub", u"function", u"dim", u"property"}, [&] {
    if (m_patterns.classMember.Match(m_line.CStr())) {
      const std::u16string_view before = TextBeforeGroup(m_patterns.classMember, 3);
      if (!ContainsNoCase(before, u"private")) {
        const EMemberKind kind = ContainsNoCase(before, u"property") ? EMemberKind::Property : EMemberKind::Method;
        members.emplace(GroupText(m_patterns.classMember, 3), kind);
      }
    } else if (m_patterns.dim.Match(m_line.CStr())) {
      AddIdentifiers(static_cast<size_t>(m_patterns.dim.SubStart(1)), EMemberKind::Property, members);
    }
    return true;
  });
  return members;
}

std::optional<std::u16string> CScriptDeclarationScans::FindScriptClassMethod(std::u16string_view className,
                                                                             std::u16string_view method) {
  std::optional<std::u16string> declaration;
  ScanClassBody(className, {u"class", u"sub", u"function"}, [&] {
    if (!m_patterns.procedure.Match(m_line.CStr())) return true;
    if (ContainsNoCase(TextBeforeGroup(m_patterns.procedure, 3), u"private")) return true;
    if (MatchedGroup(m_patterns.procedure, m_line.Text(), 3) != method) return true;
    declaration = std::u16string(TrimBlanks(m_line.Text()));
    return false;
  });
  return declaration;
}

std::optional<std::u16string> CScriptDeclarationScans::FindScriptProcedure(std::u16string_view name) {
  const int32_t count = m_source.LineCount();
  for (int32_t line = 0; line < count; ++line) {
    if (!ContainsAnyNoCase(m_source.LineText(line), {u"sub", u"function"})) continue;
    if (!m_line.Prepare(m_source, line, CPreparedLine::ELimit::SkipLongLines)) continue;
    if (!m_patterns.procedure.Match(m_line.CStr())) continue;
    if (!EqualNoCase(MatchedGroup(m_patterns.procedure, m_line.Text(), 3), name)) continue;
    return std::u16string(TrimBlanks(m_line.Raw().substr(0, kDeclarationLength)));
  }
  return std::nullopt;
}

template <typename Offer>
void CScriptDeclarationScans::VisitDeclarations(int32_t caretLine, bool withClasses, Offer&& offer) {
  EScope scope = EScope::Undecided;
  bool skipping = false;
  const auto limit = withClasses ? CPreparedLine::ELimit::SkipLongLines : CPreparedLine::ELimit::None;
  for (CScanOrder order(caretLine, m_source.LineCount()); !order.Done(); order.Next()) {
    const int32_t line = order.Line();
    // Each pattern runs only on lines that hold its words; blanking only removes characters, so
    // a raw line without them cannot match once prepared either.
    const std::u16string_view raw = m_source.LineText(line);
    const unsigned words = (withClasses ? kDeclarationAndClassWords : kDeclarationWords).Find(raw);
    // Declarations count only outside the bodies being passed over.
    const bool collect = !skipping && !(order.Wrapped() && scope == EScope::Global);
    const bool mayDeclare = collect && (words & 0b000111u) != 0;
    const bool mayBeProcedure = (words & 0b011000u) != 0;
    const bool mayBeClass = withClasses && (words & 0b100000u) != 0;
    if ((mayDeclare || mayBeProcedure || mayBeClass) && m_line.Prepare(m_source, line, limit)) {
      if (mayDeclare && m_patterns.declaration.Match(m_line.CStr())) {
        const bool more = ForEachIdentifier(static_cast<size_t>(m_patterns.declaration.SubStart(2)),
                                            [&](std::u16string_view name) { return offer(name, EMemberKind::Property); });
        if (!more) return;
      } else if (mayBeProcedure && MayDeclareProcedure(m_line.Text()) && m_patterns.procedure.Match(m_line.CStr())) {
        if (scope == EScope::Undecided) scope = EScope::Procedure;
        skipping = false;
        if (!offer(MatchedGroup(m_patterns.procedure, m_line.Text(), 3), EMemberKind::Method)) return;
      } else if (mayBeProcedure && m_patterns.endProcedure.Match(m_line.CStr())) {
        if (scope == EScope::Undecided) scope = EScope::Global;
        skipping = true;
      } else if (mayBeClass && m_patterns.classStart.Match(m_line.CStr())) {
        if (!offer(MatchedGroup(m_patterns.classStart, m_line.Text(), 1), EMemberKind::Property)) return;
      }
    }
    if (line == 0 && scope == EScope::Undecided) scope = EScope::Global;
  }
}

DeclaredNames CScriptDeclarationScans::CollectDeclaredNames(int32_t caretLine) {
  DeclaredNames names;
  VisitDeclarations(caretLine, false, [&](std::u16string_view name, EMemberKind kind) {
    names.emplace(std::u16string(name), kind);
    return true;
  });
  return names;
}

std::optional<std::u16string> CScriptDeclarationScans::FindDeclaredSpelling(int32_t caretLine,
                                                                            std::u16string_view word) {
  std::optional<std::u16string> spelling;
  VisitDeclarations(caretLine, true, [&](std::u16string_view name, EMemberKind) {
    if (!EqualNoCase(name, word) || name == word) return true;
    spelling = std::u16string(name);
    return false;
  });
  return spelling;
}

}  // namespace quillet::intellisense
