#include "engine/objects/regexp/RegExpMatches.h"

#include "engine/runtime/ScriptError.h"
#include "engine/objects/regexp/RegExpMatch.h"
#include "engine/runtime/SequenceEnumerator.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

CRegExpMatches::CRegExpMatches(std::shared_ptr<const SRegExpMatchList> list)
    : m_list(std::move(list)), m_made(m_list->Count()) {}

CVariant CRegExpMatches::MatchAt(size_t index) {
  CVariant& made = m_made[index];
  if (made.IsEmpty()) made = CVariant::Object(new CRegExpMatch(m_list, index));
  return made;
}

CVariant CRegExpMatches::Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) {
  if (kind == EInvokeKind::Let || kind == EInvokeKind::Set) ThrowNoSuchMember();
  if (name.empty() || platform::EqualsIgnoringAsciiCase(name, u"item")) {
    return MatchAt(CollectionIndex(args, m_made.size()));
  }
  if (platform::EqualsIgnoringAsciiCase(name, u"count")) {
    if (!args.empty()) throw CScriptError(err::WrongArgCount);
    return CVariant::Long(static_cast<int32_t>(m_made.size()));
  }
  ThrowNoSuchMember();
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
