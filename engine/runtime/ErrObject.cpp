#include "engine/runtime/ErrObject.h"

#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {
bool Is(std::u16string_view name, std::u16string_view word) { return platform::EqualsIgnoringAsciiCase(name, word); }
}  // namespace

void CErrObject::Record(const CScriptError& error) {
  m_number = error.Number();
  m_description = error.Description();
  m_source = error.Source().empty() ? u"VBScript runtime error" : error.Source();
  m_helpFile.clear();
  m_helpContext = 0;
}

void CErrObject::Clear() {
  m_number = 0;
  m_description.clear();
  m_source.clear();
  m_helpFile.clear();
  m_helpContext = 0;
}

CVariant CErrObject::Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) {
  const bool put = kind == EInvokeKind::Let;
  const CVariant value = put && !args.empty() ? args.back().Deref() : CVariant();
  if (name.empty() || Is(name, u"number")) {
    if (put) m_number = value.ToLong();
    return CVariant::Long(m_number);
  }
  if (Is(name, u"description")) {
    if (put) m_description = value.ToString();
    return CVariant::String(m_description);
  }
  if (Is(name, u"source")) {
    if (put) m_source = value.ToString();
    return CVariant::String(m_source);
  }
  if (Is(name, u"helpfile")) {
    if (put) m_helpFile = value.ToString();
    return CVariant::String(m_helpFile);
  }
  if (Is(name, u"helpcontext")) {
    if (put) m_helpContext = value.ToLong();
    return CVariant::Long(m_helpContext);
  }
  if (Is(name, u"clear")) {
    Clear();
    return {};
  }
  if (Is(name, u"raise")) {
    if (args.empty() || args.size() > 5) throw CScriptError(err::WrongArgCount);
    const int32_t number = args[0].Deref().ToLong();
    if (number == 0) throw CScriptError(err::InvalidCall);
    auto text = [&](size_t i) {
      return i < args.size() && !args[i].Deref().IsMissing() ? args[i].Deref().ToString() : std::u16string();
    };
    std::u16string description = text(2);
    if (description.empty()) description = CScriptError::TextFor(number);
    if (description.empty()) description = u"Unknown runtime error";
    std::u16string source = text(1);
    throw CScriptError(number, description, source);
  }
  ThrowNoSuchMember();
}

}  // namespace quillet::engine
