#include "engine/objects/wmi/WbemMoniker.h"

#include <array>
#include <cstdint>
#include <vector>

#include "engine/objects/wmi/WbemText.h"
#include "engine/runtime/ScriptError.h"

namespace quillet::engine {

namespace {

using namespace wbem_text;

constexpr std::u16string_view kScheme = u"winmgmts:";
constexpr int32_t kMonikerSyntax = static_cast<int32_t>(0x800401E4);

[[noreturn]] void ThrowSyntax() { throw CScriptError(kMonikerSyntax, u"Invalid syntax"); }

constexpr std::array<std::u16string_view, 4> kImpersonationLevels = {u"anonymous", u"identify", u"impersonate",
                                                                     u"delegate"};
constexpr std::array<std::u16string_view, 7> kAuthenticationLevels = {
    u"default", u"none", u"connect", u"call", u"pkt", u"pktintegrity", u"pktprivacy"};

// The position in levels plus first, or a syntax error for a word that is none of them.
template <size_t N>
int32_t LevelOf(std::u16string_view word, const std::array<std::u16string_view, N>& levels, int32_t first) {
  for (size_t i = 0; i < N; ++i) {
    if (SameName(word, levels[i])) return first + static_cast<int32_t>(i);
  }
  ThrowSyntax();
}

// Splits at commas that are not inside parentheses.
std::vector<std::u16string_view> SplitTopLevel(std::u16string_view text) {
  std::vector<std::u16string_view> parts;
  int depth = 0;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || (text[i] == u',' && depth == 0)) {
      parts.push_back(Trimmed(text.substr(start, i - start)));
      start = i + 1;
    } else if (text[i] == u'(') {
      ++depth;
    } else if (text[i] == u')') {
      if (--depth < 0) ThrowSyntax();
    }
  }
  if (depth != 0) ThrowSyntax();
  return parts;
}

void ParsePrivileges(std::u16string_view list, SWbemSecuritySettings& security) {
  for (std::u16string_view item : SplitTopLevel(list)) {
    SWbemPrivilegeSetting privilege;
    if (!item.empty() && item.front() == u'!') {
      privilege.enabled = false;
      item = Trimmed(item.substr(1));
    }
    if (item.empty()) ThrowSyntax();
    privilege.name = std::u16string(item);
    security.privileges.push_back(std::move(privilege));
  }
}

void ParseSetting(std::u16string_view item, SWbemSecuritySettings& security) {
  if (item.size() >= 2 && item.front() == u'(' && item.back() == u')') {
    ParsePrivileges(item.substr(1, item.size() - 2), security);
    return;
  }
  const size_t equals = item.find(u'=');
  if (equals == std::u16string_view::npos) ThrowSyntax();
  const std::u16string_view name = Trimmed(item.substr(0, equals));
  const std::u16string_view value = Trimmed(item.substr(equals + 1));
  if (SameName(name, u"impersonationLevel")) {
    security.impersonationLevel = LevelOf(value, kImpersonationLevels, 1);
  } else if (SameName(name, u"authenticationLevel")) {
    security.authenticationLevel = LevelOf(value, kAuthenticationLevels, 0);
  } else if (SameName(name, u"authority")) {
    if (value.empty()) ThrowSyntax();
    security.authority = std::u16string(value);
  } else {
    ThrowSyntax();
  }
}

// The text between an opening bracket at text[0] and its closing one, which is consumed.
std::u16string_view TakeBracketed(std::u16string_view& text, char16_t close) {
  const size_t end = text.find(close);
  if (end == std::u16string_view::npos) ThrowSyntax();
  const std::u16string_view inner = text.substr(1, end - 1);
  text.remove_prefix(end + 1);
  return inner;
}

void ParseSecurity(std::u16string_view inner, SWbemSecuritySettings& security) {
  for (std::u16string_view item : SplitTopLevel(inner)) {
    if (item.empty()) ThrowSyntax();
    ParseSetting(item, security);
  }
}

void ParseLocale(std::u16string_view inner, SWbemSecuritySettings& security) {
  const size_t equals = inner.find(u'=');
  if (equals == std::u16string_view::npos || !SameName(Trimmed(inner.substr(0, equals)), u"locale")) ThrowSyntax();
  const std::u16string_view value = Trimmed(inner.substr(equals + 1));
  if (value.empty()) ThrowSyntax();
  security.locale = std::u16string(value);
}

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// The first colon that is not inside a quoted key value; npos if none.
size_t PathColon(std::u16string_view path) {
  char16_t quote = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    const char16_t c = path[i];
    if (quote != 0) {
      if (c == u'\\' && i + 1 < path.size()) ++i;
      else if (c == quote) quote = 0;
    } else if (c == u'\'' || c == u'"') {
      quote = c;
    } else if (c == u':') {
      return i;
    }
  }
  return std::u16string_view::npos;
}

std::u16string NamespaceOf(std::u16string_view text) {
  std::u16string name(Trimmed(text));
  for (char16_t& c : name) {
    if (c == u'/') c = u'\\';
  }
  while (!name.empty() && name.back() == u'\\') name.pop_back();
  return name;
}

// A separator outside quoted key values: a file's name in a key is not a namespace.
bool HasSeparator(std::u16string_view text) {
  char16_t quote = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (quote != 0) {
      if (c == u'\\' && i + 1 < text.size()) ++i;
      else if (c == quote) quote = 0;
    } else if (c == u'\'' || c == u'"') {
      quote = c;
    } else if (IsSeparator(c)) {
      return true;
    }
  }
  return false;
}

void ParsePath(std::u16string_view path, SWbemMoniker& moniker) {
  path = Trimmed(path);
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    path.remove_prefix(2);
    size_t end = 0;
    while (end < path.size() && !IsSeparator(path[end]) && path[end] != u':') ++end;
    if (end == 0) ThrowSyntax();
    moniker.server = std::u16string(path.substr(0, end));
    path.remove_prefix(end);
    if (!path.empty() && IsSeparator(path[0])) path.remove_prefix(1);
  }
  const size_t colon = PathColon(path);
  if (colon != std::u16string_view::npos) {
    moniker.nameSpace = NamespaceOf(path.substr(0, colon));
    moniker.objectPath = std::u16string(Trimmed(path.substr(colon + 1)));
    if (moniker.objectPath.empty()) ThrowSyntax();
  } else if (HasSeparator(path) || SameName(Trimmed(path), u"root") || moniker.server != u".") {
    moniker.nameSpace = NamespaceOf(path);
  } else {
    moniker.objectPath = std::u16string(Trimmed(path));
  }
}

}  // namespace

bool IsWbemMoniker(std::u16string_view text) { return StartsWithName(Trimmed(text), kScheme); }

SWbemMoniker ParseWbemMoniker(std::u16string_view text) {
  text = Trimmed(text);
  if (!IsWbemMoniker(text)) ThrowSyntax();
  std::u16string_view rest = Trimmed(text.substr(kScheme.size()));
  SWbemMoniker moniker;
  bool settings = false;
  if (!rest.empty() && rest.front() == u'{') {
    ParseSecurity(TakeBracketed(rest, u'}'), moniker.security);
    settings = true;
    rest = Trimmed(rest);
  }
  if (!rest.empty() && rest.front() == u'[') {
    ParseLocale(TakeBracketed(rest, u']'), moniker.security);
    settings = true;
    rest = Trimmed(rest);
  }
  if (!rest.empty() && rest.front() == u'!') {
    rest.remove_prefix(1);
  } else if (settings && !rest.empty()) {
    ThrowSyntax();  // settings are followed by "!" before the path
  }
  ParsePath(rest, moniker);
  return moniker;
}

}  // namespace quillet::engine
