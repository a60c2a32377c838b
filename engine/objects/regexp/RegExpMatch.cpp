#include "engine/objects/regexp/RegExpMatch.h"

#include "engine/runtime/ScriptError.h"
#include "engine/vm/VirtualMachine.h"
#include "engine/objects/regexp/RegExpSubMatches.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {
bool Is(std::u16string_view name, std::u16string_view word) { return platform::EqualsIgnoringAsciiCase(name, word); }
}  // namespace

size_t CollectionIndex(std::span<CVariant> args, size_t count) {
  if (args.size() != 1) throw CScriptError(err::WrongArgCount);
  const CVariant& arg = args[0].Deref();
  if (arg.IsMissing()) throw CScriptError(err::ArgNotOptional);
  const int32_t index = LetValue(arg).ToLong();
  if (index < 0 || static_cast<size_t>(index) >= count) throw CScriptError(err::InvalidCall);
  return static_cast<size_t>(index);
}

CVariant CRegExpMatch::Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) {
  if (kind == EInvokeKind::Let || kind == EInvokeKind::Set) ThrowNoSuchMember();
  const size_t start = m_list->Start(m_index, 0);
  const size_t end = m_list->End(m_index, 0);
  if (Is(name, u"submatches")) {
    CVariant subMatches = CVariant::Object(new CRegExpSubMatches(m_list, m_index));
    // m.SubMatches(0) applies the argument to the collection's default member.
    return args.empty() ? subMatches : subMatches.AsObject()->Invoke(u"", kind, args);
  }
  if (!args.empty()) throw CScriptError(err::WrongArgCount);
  if (name.empty() || Is(name, u"value")) {
    return CVariant::String(std::u16string_view(m_list->subject).substr(start, end - start));
  }
  if (Is(name, u"firstindex")) return CVariant::Long(static_cast<int32_t>(start));
  if (Is(name, u"length")) return CVariant::Long(static_cast<int32_t>(end - start));
  ThrowNoSuchMember();
}

}  // namespace quillet::engine
