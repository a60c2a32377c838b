#include "intellisense/SourceAnalysis.h"

#include <algorithm>

#include "intellisense/AsciiText.h"
#include "intellisense/ScanOrder.h"
#include "intellisense/ScriptHostLibrary.h"
#include "platform/ClassRegistry.h"
#include "typeinfo/ProgIdResolver.h"

namespace quillet::intellisense {
namespace {

// Whether the steps of a scan can act on this raw line: the With step needs "with", and every
// assignment step needs the first word (its variable group must equal it) and its keyword. The
// patterns run on the prepared line, which only has fewer characters, so this rejects no line
// that they would match.
bool MayAct(std::u16string_view raw, std::u16string_view firstWord, bool withPending,
            std::initializer_list<std::u16string_view> keywords) {
  if (withPending && ContainsNoCase(raw, u"with")) return true;
  return !firstWord.empty() && ContainsNoCase(raw, firstWord) && ContainsAnyNoCase(raw, keywords);
}

void ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
  for (size_t at = text.find(from); at != std::u16string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

std::u16string WithoutLast(std::u16string text) {
  if (!text.empty()) text.pop_back();
  return text;
}

// ".Raise(" or ".Replace " -> "Raise", "Replace".
std::u16string MemberNameOfRest(std::u16string_view rest) {
  rest = TrimBlanks(rest);
  if (rest.starts_with(u'.')) rest.remove_prefix(1);
  while (!rest.empty() && (rest.back() == u'(' || IsBlank(rest.back()))) rest.remove_suffix(1);
  return std::u16string(rest);
}

SAnalysisTarget MakeTarget(ETargetKind kind, std::u16string_view name = {}, std::u16string_view rest = {}) {
  SAnalysisTarget target;
  target.kind = kind;
  target.name = name;
  target.rest = rest;
  return target;
}

}  // namespace

std::u16string RegExpRest(std::u16string_view blankedRest) {
  std::u16string rest;
  for (char16_t c : blankedRest) {
    if (c != u' ') rest += LowerAsciiUnit(c);
  }
  ReplaceAll(rest, u"submatches()", u"submatches.Item");
  ReplaceAll(rest, u"execute()()", u"execute.Item");
  ReplaceAll(rest, u"()", u"");
  return rest;
}

CSourceAnalysis::CSourceAnalysis(IAnalysisSource& source, const typeinfo::CProgIdResolver& resolver,
                                 typeinfo::CTypeLibrary::RegistryPtr registry)
    : m_source(source),
      m_resolver(resolver),
      m_registry(std::move(registry)),
      m_declarations(source, m_patterns, m_line) {}

std::u16string CSourceAnalysis::FirstWord(const std::u16string& chain) {
  // Recomputed at every step, but the chain changes on few of them.
  if (m_firstWordValid && chain == m_firstWordChain) return m_firstWord;
  m_firstWordChain = chain;
  m_firstWordValid = true;
  m_firstWord.clear();
  if (!chain.empty() && m_patterns.firstIdentifier.Match(chain.c_str())) {
    m_firstWord = MatchedGroup(m_patterns.firstIdentifier, chain, 1);
  }
  return m_firstWord;
}

SAnalysisTarget CSourceAnalysis::HostObject(std::u16string_view rest) {
  SAnalysisTarget target = MakeTarget(ETargetKind::TypeLibraryClass);
  target.clsid = kScriptHostClsid;
  if (m_registry) target.libraryPath = FindScriptHostLibrary(*m_registry);
  target.rest = rest;
  return target;
}

std::optional<SAnalysisTarget> CSourceAnalysis::WellKnownObject(std::u16string_view firstWord,
                                                                std::u16string_view chain, bool withBuiltins) {
  const std::u16string_view rest = chain.substr(std::min(firstWord.size(), chain.size()));
  if (EqualNoCase(firstWord, u"wscript")) return HostObject(rest);
  if (!withBuiltins) return std::nullopt;
  for (const auto& [name, table] : {std::pair{u"err", ErrMembers}, std::pair{u"debug", DebugMembers}}) {
    if (!EqualNoCase(firstWord, name)) continue;
    SAnalysisTarget target = MakeTarget(ETargetKind::BuiltinTable);
    target.table = table;
    target.rest = rest;
    return target;
  }
  return std::nullopt;
}

void CSourceAnalysis::ReadCaretChain(SScanState& state, regex::CRegExpW& leadingDot, regex::CRegExpW* bareDot,
                                     regex::CRegExpW& plain) {
  const auto chainFrom = [this](regex::CRegExpW& pattern) {
    return std::u16string(TrimLeadingBlanks(m_line.Text().substr(static_cast<size_t>(pattern.SubStart(0)))));
  };
  if (leadingDot.Match(m_line.CStr())) {
    state.withPending = true;
    state.chain = chainFrom(leadingDot);
  } else if (bareDot != nullptr && bareDot->Match(m_line.CStr())) {
    state.withPending = true;
  } else if (plain.Match(m_line.CStr())) {
    state.chain = chainFrom(plain);
  }
}

void CSourceAnalysis::ApplyWith(SScanState& state) {
  if (m_patterns.endWith.Match(m_line.CStr())) {
    // The chain keeps its dot and stays unresolved: the block before the caret has ended.
    state.withPending = false;
  } else if (m_patterns.with.Match(m_line.CStr())) {
    const std::u16string expression(TrimBlanks(MatchedGroup(m_patterns.with, m_line.Text(), 1)));
    state.chain = state.chain.empty() ? expression + u"." : std::u16string(TrimBlanks(expression + state.chain));
    state.withPending = false;
  }
}

std::u16string CSourceAnalysis::BlankFirstArguments(std::u16string rest) {
  if (m_patterns.parenArguments.Match(rest.c_str())) {
    const int start = m_patterns.parenArguments.SubStart(1);
    const int length = m_patterns.parenArguments.SubLength(1);
    if (start >= 0 && length > 0) rest.replace(static_cast<size_t>(start), static_cast<size_t>(length),
                                                static_cast<size_t>(length), u' ');
  }
  return rest;
}

SAnalysisTarget CSourceAnalysis::CreateObjectTarget(const SScanState& state, std::u16string_view firstWord) {
  // Strings are blanked in the prepared line, so the ProgID comes from the raw one.
  std::u16string argument(TrimBlanks(MatchedGroup(m_patterns.setCreateObject, m_line.Raw(), 4)));
  std::erase(argument, u'"');
  const std::u16string rest = WithoutLast(BlankFirstArguments(state.chain.substr(firstWord.size())));
  const typeinfo::SResolvedProgId resolved = m_resolver.ResolveProgID(argument);
  if (resolved.clsid.empty() || resolved.path.empty()) return {};
  SAnalysisTarget target = MakeTarget(ETargetKind::TypeLibraryClass);
  target.clsid = resolved.clsid;
  target.libraryPath = resolved.path;
  target.rest = rest;
  return target;
}

SAnalysisTarget CSourceAnalysis::NewTarget(const SScanState& state, std::u16string_view firstWord) {
  const std::u16string rest = state.chain.substr(firstWord.size());
  const std::u16string className(TrimBlanks(MatchedGroup(m_patterns.setNew, m_line.Raw(), 2)));
  SAnalysisTarget target;
  if (EqualNoCase(className, u"regexp")) {
    const std::u16string regExpRest = RegExpRest(WithoutLast(BlankFirstArguments(rest)));
    if (state.mode == EMode::MemberList) {
      const std::pair<std::u16string_view, std::u16string_view> types[] = {
          {u"", kRegExpPseudoType},
          {u".Execute", kMatchesPseudoType},
          {u".Execute.Item", kMatchPseudoType},
          {u".Execute.Item.Submatches", kSubMatchesPseudoType}};
      for (const auto& [path, type] : types) {
        if (EqualNoCase(regExpRest, path)) target = MakeTarget(ETargetKind::PseudoType, type);
      }
      return target;
    }
    const std::u16string tipRest = regExpRest + u" ";
    const std::pair<std::u16string_view, std::u16string_view> prefixes[] = {
        {u".execute.item.submatches.", kSubMatchesPseudoType},
        {u".execute.item.", kMatchPseudoType},
        {u".execute.", kMatchesPseudoType}};
    target = MakeTarget(ETargetKind::PseudoType, kRegExpPseudoType, tipRest);
    for (const auto& [prefix, type] : prefixes) {
      if (StartsWithNoCase(tipRest, prefix)) {
        target = MakeTarget(ETargetKind::PseudoType, type, std::u16string_view(tipRest).substr(prefix.size()));
        break;
      }
    }
    return target;
  }
  if (state.mode == EMode::MemberList) {
    if (rest == u".") target = MakeTarget(ETargetKind::ScriptClass, className);
    return target;
  }
  return MakeTarget(ETargetKind::ScriptClass, className, rest);
}

std::optional<SAnalysisTarget> CSourceAnalysis::AssignmentSteps(SScanState& state, std::u16string_view firstWord,
                                                                std::u16string_view raw) {
  const bool memberList = state.mode == EMode::MemberList;
  bool anotherVariable = false;
  if ((!memberList || ContainsNoCase(raw, u"object")) && m_patterns.setCreateObject.Match(m_line.CStr())) {
    if (EqualNoCase(MatchedGroup(m_patterns.setCreateObject, m_line.Text(), 2), firstWord)) {
      return CreateObjectTarget(state, firstWord);
    }
    anotherVariable = true;
  }
  const bool hasSet = !memberList || ContainsNoCase(raw, u"set");
  if (!anotherVariable && hasSet && (!memberList || ContainsNoCase(raw, u"new")) &&
      m_patterns.setNew.Match(m_line.CStr()) &&
      EqualNoCase(MatchedGroup(m_patterns.setNew, m_line.Text(), 1), firstWord)) {
    return NewTarget(state, firstWord);
  }
  if (hasSet && m_patterns.setAssign.Match(m_line.CStr())) {
    if (EqualNoCase(MatchedGroup(m_patterns.setAssign, m_line.Text(), 2), firstWord)) {
      state.chain = std::u16string(TrimLeadingBlanks(std::u16string(MatchedGroup(m_patterns.setAssign, m_line.Text(), 3)) +
                                                     state.chain.substr(firstWord.size())));
    }
    return std::nullopt;
  }
  if ((!memberList || ContainsNoCase(raw, u"each")) && m_patterns.forEach.Match(m_line.CStr()) &&
      EqualNoCase(MatchedGroup(m_patterns.forEach, m_line.Text(), 1), firstWord)) {
    state.chain = std::u16string(TrimLeadingBlanks(std::u16string(MatchedGroup(m_patterns.forEach, m_line.Text(), 2)) +
                                                   u".Item()" + state.chain.substr(firstWord.size())));
    if (memberList && StartsWithNoCase(state.chain, u"wscript.")) return HostObject(state.chain.substr(7));
  }
  return std::nullopt;
}

SAnalysisTarget CSourceAnalysis::FindMemberListTarget(int32_t column, int32_t caretLine) {
  if (!m_line.Prepare(m_source, caretLine, CPreparedLine::ELimit::SkipLongLines)) return {};
  m_line.CutAt(static_cast<size_t>(std::max(column, 0)));
  SScanState state{EMode::MemberList, {}, false};
  ReadCaretChain(state, m_patterns.leadingDotChain, &m_patterns.bareDot, m_patterns.chain);

  for (CScanOrder order(caretLine, m_source.LineCount()); !order.Done(); order.Next()) {
    const std::u16string firstWord = FirstWord(state.chain);
    if (auto target = WellKnownObject(firstWord, state.chain, true)) return *target;
    if (order.Line() == caretLine) continue;
    const std::u16string_view raw = m_source.LineText(order.Line());
    // Stricter than asking for any of "with", "set", "new", "object" and "each", and just as
    // exact: CreateObject and New lines hold "set" too.
    if (!MayAct(raw, firstWord, state.withPending, {u"set", u"each"})) continue;
    if (!m_line.Prepare(m_source, order.Line(), CPreparedLine::ELimit::SkipLongLines)) continue;
    if (state.withPending && ContainsNoCase(raw, u"with")) ApplyWith(state);
    if (auto target = AssignmentSteps(state, firstWord, raw)) return *target;
  }
  return {};
}

SAnalysisTarget CSourceAnalysis::FindParameterTipTarget(int32_t column, int32_t caretLine) {
  if (!m_line.Prepare(m_source, caretLine, CPreparedLine::ELimit::SkipLongLines)) return {};
  m_line.CutAt(static_cast<size_t>(std::max(column, 0)));
  SScanState state{EMode::ParameterTip, {}, false};
  ReadCaretChain(state, m_patterns.callLeadingDot, nullptr, m_patterns.callChain);

  for (CScanOrder order(caretLine, m_source.LineCount()); !order.Done(); order.Next()) {
    const std::u16string firstWord = FirstWord(state.chain);
    if (order.Line() == caretLine) {
      if (state.chain.find(u'.') == std::u16string::npos) {
        if (const BuiltinFunctionRecord* function = FindBuiltinFunction(firstWord)) {
          SAnalysisTarget target = MakeTarget(ETargetKind::BuiltinFunction);
          target.function = function;
          return target;
        }
        if (firstWord.empty()) return {};
        if (auto declaration = m_declarations.FindScriptProcedure(firstWord)) {
          SAnalysisTarget target = MakeTarget(ETargetKind::ScriptProcedure);
          target.declaration = *declaration;
          return target;
        }
        return {};
      }
      if (auto target = WellKnownObject(firstWord, state.chain, true)) return *target;
      continue;
    }
    const std::u16string_view raw = m_source.LineText(order.Line());
    if (!state.withPending && firstWord.empty()) return {};
    if (!MayAct(raw, firstWord, state.withPending, {u"set", u"each"}) &&
        !EqualNoCase(firstWord, u"wscript")) {
      continue;
    }
    if (!m_line.Prepare(m_source, order.Line(), CPreparedLine::ELimit::SkipLongLines)) continue;
    if (state.withPending) {
      ApplyWith(state);
    } else if (firstWord.empty()) {
      return {};
    }
    if (auto target = WellKnownObject(firstWord, state.chain, false)) return *target;
    if (auto target = AssignmentSteps(state, firstWord, m_line.Raw())) return *target;
  }
  return {};
}

std::optional<CCompletionSet> CSourceAnalysis::AnalyseForMemberList(int32_t column, int32_t line) {
  const SAnalysisTarget target = FindMemberListTarget(column, line);
  CCompletionSet set;
  switch (target.kind) {
    case ETargetKind::TypeLibraryClass: {
      const SWalkResult walk =
          WalkTypeLibraryChain(target.clsid, target.libraryPath, target.rest, EWalkMode::MemberList, m_registry);
      if (!walk.Found()) return std::nullopt;
      set.AddTypeFunctions(walk.type);
      break;
    }
    case ETargetKind::BuiltinTable:
      // Err and Debug have no members that are objects.
      if (target.rest != u".") return std::nullopt;
      set.AddTable(target.table);
      break;
    case ETargetKind::PseudoType:
      if (auto table = MemberTableForPseudoType(target.name)) set.AddTable(*table);
      break;
    case ETargetKind::ScriptClass:
      for (const auto& [name, kind] : m_declarations.CollectScriptClassMembers(target.name)) {
        set.Add(name, kind == EMemberKind::Property ? ECompletionImage::Property : ECompletionImage::Method, name);
      }
      break;
    default:
      return std::nullopt;
  }
  return set;
}

SParameterTipSource CSourceAnalysis::AnalyseForParameterTip(int32_t column, int32_t line) {
  const SAnalysisTarget target = FindParameterTipTarget(column, line);
  SParameterTipSource tip;
  switch (target.kind) {
    case ETargetKind::BuiltinFunction:
      tip.kind = ETipKind::BuiltinFunction;
      tip.function = target.function;
      break;
    case ETargetKind::ScriptProcedure:
      tip.kind = ETipKind::ScriptProcedure;
      tip.declaration = target.declaration;
      break;
    case ETargetKind::BuiltinTable:
      tip.member = FindMember(target.table, MemberNameOfRest(target.rest));
      if (tip.member != nullptr) tip.kind = ETipKind::BuiltinMember;
      break;
    case ETargetKind::PseudoType:
      if (auto table = MemberTableForPseudoType(target.name)) tip.member = FindMember(*table, MemberNameOfRest(target.rest));
      if (tip.member != nullptr) tip.kind = ETipKind::BuiltinMember;
      break;
    case ETargetKind::ScriptClass:
      if (auto declaration = m_declarations.FindScriptClassMethod(target.name, MemberNameOfRest(target.rest))) {
        tip.kind = ETipKind::ScriptClassMethod;
        tip.declaration = *declaration;
      }
      break;
    case ETargetKind::TypeLibraryClass:
      tip.walk = WalkTypeLibraryChain(target.clsid, target.libraryPath, target.rest,
                                      EWalkMode::ParameterTip, m_registry);
      if (tip.walk.func != nullptr) tip.kind = ETipKind::TypeLibraryFunction;
      break;
    case ETargetKind::None:
      break;
  }
  return tip;
}

}  // namespace quillet::intellisense
