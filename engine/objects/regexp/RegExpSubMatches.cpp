#include "engine/objects/regexp/RegExpSubMatches.h"

#include "engine/runtime/ScriptError.h"
#include "engine/objects/regexp/RegExpClasses.h"
#include "engine/objects/regexp/RegExpMatch.h"
#include "engine/objects/regexp/RegExpPattern.h"
#include "engine/runtime/SequenceEnumerator.h"

namespace quillet::engine {

CRegExpSubMatches::CRegExpSubMatches(std::shared_ptr<const SRegExpMatchList> list, size_t match)
    : CAutomationObject(DispatchTableOf<kSubMatchesClass>()), m_list(std::move(list)), m_match(match) {}

CVariant CRegExpSubMatches::GroupText(const SRegExpMatchList& list, size_t match, size_t group) {
  const size_t start = list.Start(match, group + 1);
  if (start == CRegExpPattern::kUnset) return {};
  return CVariant::String(std::u16string_view(list.subject).substr(start, list.End(match, group + 1) - start));
}

CVariant CRegExpSubMatches::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  switch (member.dispId) {
    case collection_id::Item: return GroupText(*m_list, m_match, CollectionIndex(args[0], m_list->groups));
    case collection_id::Count: return CVariant::Long(static_cast<int32_t>(m_list->groups));
    default: ThrowNoSuchMember();
  }
}

CEnumerator* CRegExpSubMatches::NewEnum() {
  return new CSequenceEnumerator([list = m_list, match = m_match](size_t index, CVariant& value) {
    if (index >= list->groups) return false;
    value = GroupText(*list, match, index);
    return true;
  });
}

}  // namespace quillet::engine
