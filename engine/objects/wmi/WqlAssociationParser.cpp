#include <utility>

#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemText.h"
#include "engine/objects/wmi/WqlAssociationQuery.h"

namespace quillet::engine {

namespace {

using namespace wbem_text;

[[noreturn]] void ThrowInvalid() { wbem_error::Raise(wbem_error::kInvalidQuery, u"SWbemServicesEx"); }

class CAssociationReader {
 public:
  explicit CAssociationReader(std::u16string_view text) : m_text(text) {}

  SWqlAssociationQuery Read() {
    SWqlAssociationQuery query;
    const std::u16string verb = Word();
    if (SameName(verb, u"references")) {
      query.references = true;
    } else if (!SameName(verb, u"associators")) {
      ThrowInvalid();
    }
    if (!SameName(Word(), u"of")) ThrowInvalid();
    query.objectPath = BracedPath();
    if (AtEnd()) return query;
    if (!SameName(Word(), u"where")) ThrowInvalid();
    if (AtEnd()) ThrowInvalid();  // WHERE with nothing after it
    while (!AtEnd()) Clause(query);
    return query;
  }

 private:
  void SkipSpace() {
    while (m_at < m_text.size() && IsSpace(m_text[m_at])) ++m_at;
  }
  bool AtEnd() {
    SkipSpace();
    return m_at >= m_text.size();
  }

  std::u16string Word() {
    SkipSpace();
    const size_t start = m_at;
    while (m_at < m_text.size() && IsNameChar(m_text[m_at])) ++m_at;
    if (m_at == start) ThrowInvalid();
    return std::u16string(m_text.substr(start, m_at - start));
  }

  // The path between braces; a brace inside a quoted key value belongs to the value.
  std::u16string BracedPath() {
    SkipSpace();
    if (m_at >= m_text.size() || m_text[m_at] != u'{') ThrowInvalid();
    const size_t start = ++m_at;
    char16_t quote = 0;
    for (; m_at < m_text.size(); ++m_at) {
      const char16_t c = m_text[m_at];
      if (quote != 0) {
        if (c == u'\\') ++m_at;
        else if (c == quote) quote = 0;
      } else if (c == u'"' || c == u'\'') {
        quote = c;
      } else if (c == u'}') {
        std::u16string path(Trimmed(m_text.substr(start, m_at - start)));
        ++m_at;
        if (path.empty()) ThrowInvalid();
        return path;
      }
    }
    ThrowInvalid();  // the brace never closes
  }

  // A class, role or qualifier name, bare or quoted.
  std::u16string Value() {
    SkipSpace();
    if (m_at < m_text.size() && (m_text[m_at] == u'\'' || m_text[m_at] == u'"')) {
      const char16_t quote = m_text[m_at];
      const size_t end = m_text.find(quote, m_at + 1);
      if (end == std::u16string_view::npos || end == m_at + 1) ThrowInvalid();
      std::u16string value(m_text.substr(m_at + 1, end - m_at - 1));
      m_at = end + 1;
      return value;
    }
    return Word();
  }

  void Expect(char16_t symbol) {
    SkipSpace();
    if (m_at >= m_text.size() || m_text[m_at] != symbol) ThrowInvalid();
    ++m_at;
  }

  static void SetOnce(std::u16string& field, std::u16string value) {
    if (!field.empty()) ThrowInvalid();
    field = std::move(value);
  }
  static void SetOnce(bool& flag) {
    if (flag) ThrowInvalid();
    flag = true;
  }

  void Clause(SWqlAssociationQuery& query) {
    const std::u16string name = Word();
    if (SameName(name, u"ClassDefsOnly")) return SetOnce(query.classDefsOnly);
    if (SameName(name, u"SchemaOnly")) return SetOnce(query.schemaOnly);
    if (SameName(name, u"KeysOnly")) return SetOnce(query.keysOnly);
    std::u16string* field = nullptr;
    if (SameName(name, u"ResultClass")) field = &query.resultClass;
    else if (SameName(name, u"Role")) field = &query.role;
    else if (SameName(name, u"RequiredQualifier")) field = &query.requiredQualifier;
    else if (!query.references && SameName(name, u"AssocClass")) field = &query.assocClass;
    else if (!query.references && SameName(name, u"ResultRole")) field = &query.resultRole;
    else if (!query.references && SameName(name, u"RequiredAssocQualifier")) field = &query.requiredAssocQualifier;
    if (field == nullptr) ThrowInvalid();
    Expect(u'=');
    SetOnce(*field, Value());
  }

  std::u16string_view m_text;
  size_t m_at = 0;
};

}  // namespace

bool IsWqlAssociationQuery(std::u16string_view text) {
  text = Trimmed(text);
  for (const std::u16string_view verb : {std::u16string_view(u"associators"), std::u16string_view(u"references")}) {
    if (StartsWithName(text, verb) && (text.size() == verb.size() || !IsNameChar(text[verb.size()]))) return true;
  }
  return false;
}

SWqlAssociationQuery ParseWqlAssociation(std::u16string_view text) {
  SWqlAssociationQuery query = CAssociationReader(text).Read();
  // Class definitions and the schema are two different answers; a query asks for one.
  if (query.classDefsOnly && query.schemaOnly) ThrowInvalid();
  return query;
}

}  // namespace quillet::engine
