#include "engine/objects/regexp/RegExpMatch.h"

#include "engine/runtime/ScriptError.h"
#include "engine/vm/VirtualMachine.h"
#include "engine/objects/regexp/RegExpClasses.h"
#include "engine/objects/regexp/RegExpSubMatches.h"

namespace quillet::engine {

size_t CollectionIndex(const CVariant& arg, size_t count) {
  const int32_t index = LetValue(arg).ToLong();
  if (index < 0 || static_cast<size_t>(index) >= count) throw CScriptError(err::InvalidCall);
  return static_cast<size_t>(index);
}

CRegExpMatch::CRegExpMatch(std::shared_ptr<const SRegExpMatchList> list, size_t index)
    : CAutomationObject(DispatchTableOf<kMatchClass>()), m_list(std::move(list)), m_index(index) {}

CVariant CRegExpMatch::InvokeMember(const om::SMember& member, std::span<CVariant>) {
  const size_t start = m_list->Start(m_index, 0);
  const size_t end = m_list->End(m_index, 0);
  switch (member.dispId) {
    case match_id::Value: return CVariant::String(std::u16string_view(m_list->subject).substr(start, end - start));
    case match_id::FirstIndex: return CVariant::Long(static_cast<int32_t>(start));
    case match_id::Length: return CVariant::Long(static_cast<int32_t>(end - start));
    case match_id::SubMatches: return CVariant::Object(new CRegExpSubMatches(m_list, m_index));
    default: ThrowNoSuchMember();
  }
}

}  // namespace quillet::engine
