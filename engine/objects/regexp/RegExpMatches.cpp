#include "engine/objects/regexp/RegExpMatches.h"

#include "engine/runtime/ScriptError.h"
#include "engine/objects/regexp/RegExpClasses.h"
#include "engine/objects/regexp/RegExpMatch.h"
#include "engine/runtime/SequenceEnumerator.h"

namespace quillet::engine {

CRegExpMatches::CRegExpMatches(std::shared_ptr<const SRegExpMatchList> list)
    : CAutomationObject(DispatchTableOf<kMatchCollectionClass>()), m_list(std::move(list)), m_made(m_list->Count()) {}

CVariant CRegExpMatches::MatchAt(size_t index) {
  CVariant& made = m_made[index];
  if (made.IsEmpty()) made = CVariant::Object(new CRegExpMatch(m_list, index));
  return made;
}

CVariant CRegExpMatches::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  switch (member.dispId) {
    case collection_id::Item: return MatchAt(CollectionIndex(args[0], m_made.size()));
    case collection_id::Count: return CVariant::Long(static_cast<int32_t>(m_made.size()));
    default: ThrowNoSuchMember();
  }
}

CEnumerator* CRegExpMatches::NewEnum() {
  // The enumerator holds the collection, so a loop survives the script letting it go.
  CVariant self = CVariant::Object(this);
  return new CSequenceEnumerator([self](size_t index, CVariant& value) {
    auto* matches = static_cast<CRegExpMatches*>(self.AsObject());
    if (index >= matches->m_made.size()) return false;
    value = matches->MatchAt(index);
    return true;
  });
}

}  // namespace quillet::engine
