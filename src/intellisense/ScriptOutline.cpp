#include "intellisense/ScriptOutline.h"

#include <algorithm>
#include <array>
#include <set>

#include "intellisense/AnalysisSource.h"
#include "intellisense/AsciiText.h"
#include "intellisense/ScriptOutlineBrowser.h"
#include "typeinfo/TypeLib.h"

namespace quillet::intellisense {

using typeinfo::CTypeLib;
using typeinfo::CTypeLibGroup;
using typeinfo::CTypeLibMember;
using typeinfo::ECatalogueKind;

namespace {

// A description longer than this is cut, as the browser's text fields hold no more.
constexpr size_t kMaxDescriptionLength = 16383;

regex::CRegExpW Pattern(const char16_t* text) { return regex::CRegExpW(text, regex::ERegCase::Insensitive); }

std::u16string_view Group(regex::CRegExpW& pattern, const char16_t* subject, int group) {
  const int start = pattern.SubStart(group);
  const int length = pattern.SubLength(group);
  if (start < 0 || length <= 0) return {};
  return std::u16string_view(subject + start, static_cast<size_t>(length));
}

// The first letters of the words the scan looks for: class, property, sub, function,
// createobject, getobject.
constexpr auto kStartsAWord = [] {
  std::array<bool, 128> starts{};
  for (const char16_t c : u"cpsfgCPSFG") starts[c] = c != u'\0';
  return starts;
}();

// Whether word stands in the prepared text as the definition patterns want it: at the start or
// after a blank, with a blank after it. Lines that only mention the word (inside a string, in a
// longer name) fail here, before the patterns run; a pattern can match no line that fails.
bool HasDefinitionWord(std::u16string_view text, std::u16string_view word) {
  for (size_t at = FindNoCase(text, word); at != std::u16string_view::npos;) {
    const size_t end = at + word.size();
    if ((at == 0 || IsBlank(text[at - 1])) && end < text.size() && IsBlank(text[end])) return true;
    const size_t next = FindNoCase(text.substr(at + 1), word);
    at = next == std::u16string_view::npos ? next : at + 1 + next;
  }
  return false;
}

// The class patterns both start at the line's first word.
bool StartsWithWord(std::u16string_view text, std::u16string_view word) {
  text = TrimLeadingBlanks(text);
  return StartsWithNoCase(text, word) && (text.size() == word.size() || IsBlank(text[word.size()]));
}

CTypeLibGroup* FindGroup(CTypeLib& library, std::u16string_view name) {
  for (size_t i = 1; i < library.groups.size(); ++i) {
    if (library.groups[i]->name == name) return library.groups[i].get();
  }
  return nullptr;
}

}  // namespace

struct CScriptOutline::STick {
  IAnalysisSource& source;
  IScriptOutlineBrowser& browser;
  CTypeLib& library;
  CTypeLibGroup* currentClass = nullptr;
  int32_t preparedLine = -1;
  bool changed = false;
  std::vector<std::u16string> progIds;
  std::set<std::u16string, std::less<>> progIdSet;
};

std::unique_ptr<CTypeLib> MakeScriptLibrary() {
  auto library = std::make_unique<CTypeLib>();
  library->name = kScriptLibraryName;
  library->libraryKind = CTypeLib::ELibraryKind::Script;
  library->groups.push_back(std::make_unique<CTypeLibGroup>(std::u16string(kGlobalCodeGroupName), ECatalogueKind::ScriptCode));
  return library;
}

CScriptOutline::CScriptOutline(FResolveLibraryPath resolveLibraryPath)
    : m_resolveLibraryPath(std::move(resolveLibraryPath)),
      m_classPattern(Pattern(u"^[\t ]*class[\t ]+([a-zA-Z_]+[a-zA-Z_0-9]*)")),
      m_endClassPattern(Pattern(u"^[\t ]*end[\t ]+class($|[\t ]+)")),
      m_subPattern(Pattern(u"(^|[\t ]+)Sub[\t ]+([a-zA-Z_]+[a-zA-Z_0-9]*)+")),
      m_functionPattern(Pattern(u"(^|[\t ]+)Function[\t ]+([a-zA-Z_]+[a-zA-Z_0-9]*)+")),
      m_propertyPattern(Pattern(
          u"(^|[\t ]+)(Property[\t ]+Get|Property[\t ]+Set|Property[\t ]+Let)[\t ]+([a-zA-Z_]+[a-zA-Z_0-9]*)+")),
      m_prepared(std::make_unique<CPreparedLine>()) {}

CScriptOutline::~CScriptOutline() = default;

void CScriptOutline::Refresh(IAnalysisSource& source, std::u16string_view title, std::u16string_view path,
                             IScriptOutlineBrowser& browser) {
  CTypeLib& library = browser.ScriptLibrary();
  if (library.groups.empty() || m_refreshing) return;
  m_refreshing = true;
  struct SDone {
    bool& flag;
    ~SDone() { flag = false; }
  } done{m_refreshing};
  for (const auto& group : library.groups) {
    group->seen = false;
    for (const auto& member : group->members) member->seen = false;
  }
  library.groups.front()->seen = true;

  if (title != m_title || path != m_path) {
    m_title = title;
    m_path = path;
    browser.RefreshDescription();
  }

  STick tick{source, browser, library, nullptr, -1, false, {}, {}};
  const int32_t lines = source.LineCount();
  for (int32_t line = 0; line < lines && tick.progIds.size() < kMaxUsedProgIds; ++line) ScanLine(tick, line);
  RemoveUnseen(tick);
  if (tick.changed) browser.RefreshDescription();
  if (TakeProgIds(std::move(tick.progIds))) ReconcileLibraries(browser);
}

void CScriptOutline::ScanLine(STick& tick, int32_t line) {
  const std::u16string_view raw = tick.source.LineText(line);
  if (raw.size() > kMaxOutlineLineLength) return;
  for (size_t at = 0; at < raw.size(); ++at) {
    // Most positions start none of the words; one look-up of the first letter passes them over.
    if (raw[at] >= 128 || !kStartsAWord[raw[at]]) continue;
    const char16_t first = LowerAsciiUnit(raw[at]);
    const std::u16string_view rest = raw.substr(at);
    if (first == u'c' && StartsWithNoCase(rest, u"class") && ClassAt(tick, line)) return;
    if (first == u'p' && tick.currentClass != nullptr && StartsWithNoCase(rest, u"property")) PropertyAt(tick, line);
    if (((first == u's' && StartsWithNoCase(rest, u"sub")) || (first == u'f' && StartsWithNoCase(rest, u"function"))) &&
        ProcedureAt(tick, line)) {
      return;
    }
    if (first == u'c' && StartsWithNoCase(rest, u"createobject") && ProgIdAt(tick, raw, at + 12, false)) return;
    if (first == u'g' && StartsWithNoCase(rest, u"getobject") && ProgIdAt(tick, raw, at + 9, true)) return;
  }
}

const char16_t* CScriptOutline::Prepared(STick& tick, int32_t line) {
  if (tick.preparedLine != line) {
    m_prepared->Prepare(tick.source, line, CPreparedLine::ELimit::None);
    tick.preparedLine = line;
  }
  return m_prepared->CStr();
}

bool CScriptOutline::ClassAt(STick& tick, int32_t line) {
  const char16_t* text = Prepared(tick, line);
  const std::u16string_view prepared = m_prepared->Text();
  if (StartsWithWord(prepared, u"class") && m_classPattern.Match(text)) {
    const std::u16string_view name = TrimBlanks(Group(m_classPattern, text, 1));
    CTypeLibGroup* group = FindGroup(tick.library, name);
    if (group == nullptr) {
      tick.library.groups.push_back(std::make_unique<CTypeLibGroup>(std::u16string(name), ECatalogueKind::Class));
      group = tick.library.groups.back().get();
      group->line = line;
      group->seen = true;
      tick.browser.InsertScriptGroup(*group);
      tick.changed = true;
    }
    group->seen = true;
    group->line = line;
    tick.currentClass = group;
    return true;
  }
  if (StartsWithWord(prepared, u"end") && m_endClassPattern.Match(text)) {
    tick.currentClass = nullptr;
    return true;
  }
  return false;
}

void CScriptOutline::PropertyAt(STick& tick, int32_t line) {
  const char16_t* text = Prepared(tick, line);
  if (!HasDefinitionWord(m_prepared->Text(), u"property") || !m_propertyPattern.Match(text)) return;
  const std::u16string_view name = Group(m_propertyPattern, text, 3);
  if (!name.empty()) SeeMember(tick, *tick.currentClass, name, ECatalogueKind::Property, line);
}

bool CScriptOutline::ProcedureAt(STick& tick, int32_t line) {
  const char16_t* text = Prepared(tick, line);
  const std::u16string_view prepared = m_prepared->Text();
  std::u16string_view name;
  if (HasDefinitionWord(prepared, u"sub") && m_subPattern.Match(text)) name = Group(m_subPattern, text, 2);
  if (name.empty() && HasDefinitionWord(prepared, u"function") && m_functionPattern.Match(text)) {
    name = Group(m_functionPattern, text, 2);
  }
  if (name.empty()) return false;
  CTypeLibGroup& group = tick.currentClass != nullptr ? *tick.currentClass : *tick.library.groups.front();
  SeeMember(tick, group, name, ECatalogueKind::Method, line);
  return true;
}

void CScriptOutline::SeeMember(STick& tick, CTypeLibGroup& group, std::u16string_view name, ECatalogueKind kind,
                               int32_t line) {
  CTypeLibMember* member = group.FindMember(name);
  if (member == nullptr) {
    auto created = std::make_unique<CTypeLibMember>();
    created->name = name;
    created->kind = kind;
    member = created.get();
    group.members.push_back(std::move(created));
    tick.browser.InsertScriptMember(group, *member);
    tick.changed = true;
  } else if (member->seen) {
    // A second definition of the name in this scan (Property Get and Let): the first one
    // describes it, so that a script that did not change reads the same on every scan.
    return;
  }
  const std::u16string_view raw = tick.source.LineText(line);
  const std::u16string_view description = TrimBlanks(raw.substr(0, kMaxDescriptionLength));
  if (member->description != description) {
    member->description = description;
    tick.changed = true;
  }
  member->line = line;
  member->seen = true;
  const size_t start = member->description.find(member->name);
  member->nameStart = start == std::u16string::npos ? -1 : static_cast<int32_t>(start);
  member->nameEnd = start == std::u16string::npos ? -1 : static_cast<int32_t>(start + member->name.size());
}

// The argument must be a literal: blanks, "(", blanks, a double quote, then the ProgID up to the
// closing quote (or, for a moniker, up to its colon).
bool CScriptOutline::ProgIdAt(STick& tick, std::u16string_view raw, size_t after, bool stopsAtColon) {
  size_t at = after;
  while (at < raw.size() && IsBlank(raw[at])) ++at;
  if (at >= raw.size() || raw[at] != u'(') return true;
  ++at;
  while (at < raw.size() && IsBlank(raw[at])) ++at;
  if (at >= raw.size() || raw[at] != u'"') return true;
  ++at;
  std::u16string progId;
  while (at < raw.size() && raw[at] != u'"' && !(stopsAtColon && raw[at] == u':') && progId.size() < kMaxProgIdLength) {
    progId += LowerAsciiUnit(raw[at++]);
  }
  if (at >= raw.size() || (raw[at] != u'"' && !(stopsAtColon && raw[at] == u':'))) return true;
  // An empty literal names no class; nothing could be loaded for it.
  if (progId.empty()) return false;
  if (tick.progIds.size() < kMaxUsedProgIds && tick.progIdSet.insert(progId).second) {
    tick.progIds.push_back(std::move(progId));
  }
  return false;
}

void CScriptOutline::RemoveUnseen(STick& tick) {
  auto& groups = tick.library.groups;
  for (size_t i = 1; i < groups.size();) {
    if (!groups[i]->seen) {
      tick.browser.RemoveScriptGroup(*groups[i]);
      groups.erase(groups.begin() + static_cast<std::ptrdiff_t>(i));
      tick.changed = true;
      continue;
    }
    ++i;
  }
  for (const auto& group : groups) {
    auto& members = group->members;
    for (size_t i = 0; i < members.size();) {
      if (!members[i]->seen) {
        tick.browser.RemoveScriptMember(*group, *members[i]);
        members.erase(members.begin() + static_cast<std::ptrdiff_t>(i));
        tick.changed = true;
        continue;
      }
      ++i;
    }
  }
}

// The libraries follow the set of ProgIDs, not their order: the same ProgIDs in another order
// load and unload nothing.
bool CScriptOutline::TakeProgIds(std::vector<std::u16string> seen) {
  std::vector<std::u16string> before = m_progIds;
  std::vector<std::u16string> after = seen;
  std::sort(before.begin(), before.end());
  std::sort(after.begin(), after.end());
  m_progIds = std::move(seen);
  return before != after;
}

void CScriptOutline::ReconcileLibraries(IScriptOutlineBrowser& browser) {
  for (CTypeLib* library : browser.LoadedLibraries()) library->inUse = library->path == kScriptHostLibraryPath;
  for (const std::u16string& progId : m_progIds) {
    const std::u16string path = m_resolveLibraryPath ? m_resolveLibraryPath(progId) : std::u16string();
    if (path.empty()) continue;
    CTypeLib* loaded = nullptr;
    for (CTypeLib* library : browser.LoadedLibraries()) {
      if (library->path == path) loaded = library;
    }
    if (loaded == nullptr) loaded = &browser.AddLibrary(path);
    loaded->inUse = true;
  }
  for (CTypeLib* library : browser.LoadedLibraries()) {
    if (!library->inUse) browser.RemoveLibrary(*library);
  }
}

}  // namespace quillet::intellisense
