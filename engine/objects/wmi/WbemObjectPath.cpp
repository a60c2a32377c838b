#include "engine/objects/wmi/WbemObjectPath.h"

#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemText.h"

namespace quillet::engine {

namespace {

using namespace wbem_text;

[[noreturn]] void ThrowInvalid() { wbem_error::Raise(wbem_error::kInvalidObjectPath, u"SWbemServicesEx"); }

class CPathReader {
 public:
  explicit CPathReader(std::u16string_view text) : m_text(text) {}

  SWbemObjectPath Read() {
    SWbemObjectPath path;
    path.className = Name();
    if (AtEnd()) return path;
    if (Take(u'=')) {
      if (Take(u'@')) {
        path.singleton = true;
      } else {
        path.keys.emplace_back(std::u16string(), Value());
      }
    } else if (Take(u'.')) {
      do {
        std::u16string key = Name();
        if (!Take(u'=')) ThrowInvalid();
        path.keys.emplace_back(std::move(key), Value());
      } while (Take(u','));
    } else {
      ThrowInvalid();
    }
    if (!AtEnd()) ThrowInvalid();
    return path;
  }

 private:
  void SkipSpace() {
    while (m_at < m_text.size() && IsSpace(m_text[m_at])) ++m_at;
  }
  bool AtEnd() {
    SkipSpace();
    return m_at >= m_text.size();
  }
  bool Take(char16_t c) {
    SkipSpace();
    if (m_at < m_text.size() && m_text[m_at] == c) {
      ++m_at;
      return true;
    }
    return false;
  }
  std::u16string Name() {
    SkipSpace();
    const size_t start = m_at;
    while (m_at < m_text.size() && IsNameChar(m_text[m_at])) ++m_at;
    if (m_at == start) ThrowInvalid();
    return std::u16string(m_text.substr(start, m_at - start));
  }
  std::u16string Value() {
    SkipSpace();
    if (m_at >= m_text.size()) ThrowInvalid();
    const char16_t quote = m_text[m_at];
    std::u16string value;
    if (quote == u'"' || quote == u'\'') {
      for (++m_at; m_at < m_text.size(); ++m_at) {
        const char16_t c = m_text[m_at];
        if (c == quote) {
          ++m_at;
          return value;
        }
        if (c == u'\\' && m_at + 1 < m_text.size()) ++m_at;
        value += m_text[m_at];
      }
      ThrowInvalid();  // the quote never closes
    }
    const size_t start = m_at;
    while (m_at < m_text.size() && (IsNameChar(m_text[m_at]) || m_text[m_at] == u'-' || m_text[m_at] == u'.')) ++m_at;
    if (m_at == start) ThrowInvalid();
    return std::u16string(m_text.substr(start, m_at - start));
  }

  std::u16string_view m_text;
  size_t m_at = 0;
};

// The part after the namespace, when the path names one ("\\.\root\cimv2:Class...").
std::u16string_view RelativePart(std::u16string_view text) {
  char16_t quote = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (quote != 0) {
      if (c == u'\\') ++i;
      else if (c == quote) quote = 0;
    } else if (c == u'"' || c == u'\'') {
      quote = c;
    } else if (c == u':') {
      return text.substr(i + 1);
    }
  }
  return text;
}

}  // namespace

SWbemObjectPath ParseObjectPath(std::u16string_view text) { return CPathReader(RelativePart(Trimmed(text))).Read(); }

}  // namespace quillet::engine
