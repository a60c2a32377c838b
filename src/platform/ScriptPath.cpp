#include "platform/ScriptPath.h"

#include <algorithm>

namespace quillet::platform {
namespace {

[[nodiscard]] bool IsAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

[[nodiscard]] bool StartsWithUncWord(std::u16string_view text) {
  return text.size() >= 4 && (text[0] == u'U' || text[0] == u'u') && (text[1] == u'N' || text[1] == u'n') &&
         (text[2] == u'C' || text[2] == u'c') && IsPathSeparator(text[3]);
}

// The first name of text and what follows its separator.
[[nodiscard]] std::u16string_view TakeName(std::u16string_view& text) {
  size_t end = 0;
  while (end < text.size() && !IsPathSeparator(text[end])) ++end;
  const std::u16string_view name = text.substr(0, end);
  text.remove_prefix(end < text.size() ? end + 1 : end);
  return name;
}

SPathAnchor NetworkAnchor(std::u16string_view afterSlashes) {
  const std::u16string_view server = TakeName(afterSlashes);
  if (server.empty()) return {EPathAnchor::Rooted, {}, afterSlashes};
  const std::u16string_view share = TakeName(afterSlashes);
  std::u16string root = u"\\\\";
  root += server;
  if (!share.empty()) (root += u'\\') += share;
  return {EPathAnchor::Network, std::move(root), afterSlashes};
}

}  // namespace

SPathAnchor SplitPathAnchor(std::u16string_view text) {
  const bool twoSeparators = text.size() >= 2 && IsPathSeparator(text[0]) && IsPathSeparator(text[1]);
  if (twoSeparators && text.size() >= 3 && (text[2] == u'?' || text[2] == u'.') &&
      (text.size() == 3 || IsPathSeparator(text[3]))) {
    text.remove_prefix(std::min<size_t>(text.size(), 4));
    if (StartsWithUncWord(text)) return NetworkAnchor(text.substr(4));
    return SplitPathAnchor(text);
  }
  if (twoSeparators) return NetworkAnchor(text.substr(2));
  if (text.size() >= 2 && IsAsciiLetter(text[0]) && text[1] == u':') {
    std::u16string root(text.substr(0, 2));
    if (text.size() > 2 && IsPathSeparator(text[2])) return {EPathAnchor::DriveRooted, std::move(root), text.substr(3)};
    return {EPathAnchor::DriveRelative, std::move(root), text.substr(2)};
  }
  if (!text.empty() && IsPathSeparator(text[0])) return {EPathAnchor::Rooted, {}, text.substr(1)};
  return {EPathAnchor::Relative, {}, text};
}

CScriptPath::CScriptPath(std::u16string root, std::vector<std::u16string> names)
    : m_root(std::move(root)), m_names(std::move(names)) {}

std::u16string_view CScriptPath::Name() const {
  return m_names.empty() ? std::u16string_view{} : std::u16string_view{m_names.back()};
}

std::u16string CScriptPath::Text() const {
  const char16_t separator = IsPosix() ? u'/' : u'\\';
  std::u16string text = m_root;
  if (m_names.empty() && !IsNetwork()) text += separator;
  for (const std::u16string& name : m_names) (text += separator) += name;
  return text;
}

CScriptPath CScriptPath::Parent() const {
  CScriptPath parent = *this;
  if (!parent.m_names.empty()) parent.m_names.pop_back();
  return parent;
}

CScriptPath CScriptPath::Child(std::u16string_view name) const {
  CScriptPath child = *this;
  child.m_names.emplace_back(name);
  return child;
}

void CScriptPath::AppendName(std::u16string_view name) {
  if (name.empty() || name == u".") return;
  if (name == u"..") {
    if (!m_names.empty()) m_names.pop_back();
    return;
  }
  m_names.emplace_back(name);
}

void CScriptPath::Append(std::u16string_view relative) {
  const bool endsWithSeparator = !relative.empty() && IsPathSeparator(relative.back());
  while (!relative.empty()) {
    std::u16string_view name = TakeName(relative);
    const bool last = relative.empty() && !endsWithSeparator;
    if (last && name != u"." && name != u"..") {
      while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) name.remove_suffix(1);
    }
    AppendName(name);
  }
}

}  // namespace quillet::platform
