#include "engine/objects/regexp/RegExpSubMatches.h"

#include "engine/runtime/ScriptError.h"
#include "engine/objects/regexp/RegExpMatch.h"
#include "engine/objects/regexp/RegExpPattern.h"
#include "engine/runtime/SequenceEnumerator.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

CVariant CRegExpSubMatches::GroupText(const SRegExpMatchList& list, size_t match, size_t group) {
  const size_t start = list.Start(match, group + 1);
  if (start == CRegExpPattern::kUnset) return {};
  return CVariant::String(std::u16string_view(list.subject).substr(start, list.End(match, group + 1) - start));
}

CVariant CRegExpSubMatches::Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) {
  if (kind == EInvokeKind::Let || kind == EInvokeKind::Set) ThrowNoSuchMember();
  if (name.empty() || platform::EqualsIgnoringAsciiCase(name, u"item")) {
    return GroupText(*m_list, m_match, CollectionIndex(args, m_list->groups));
  }
  if (platform::EqualsIgnoringAsciiCase(name, u"count")) {
    if (!args.empty()) throw CScriptError(err::WrongArgCount);
    return CVariant::Long(static_cast<int32_t>(m_list->groups));
  }
  ThrowNoSuchMember();
}

CEnumerator* CRegExpSubMatches::NewEnum() {
  return new CSequenceEnumerator([list = m_list, match = m_match](size_t index, CVariant& value) {
    if (index >= list->groups) return false;
    value = GroupText(*list, match, index);
    return true;
  });
}

}  // namespace quillet::engine
