#include "engine/objects/wsh/WshCollectionObject.h"

#include <memory>

#include "engine/objects/wsh/WshClasses.h"
#include "engine/runtime/ScriptError.h"
#include "engine/runtime/SequenceEnumerator.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

CWshCollectionObject::CWshCollectionObject(std::vector<SItem> items)
    : CAutomationObject(DispatchTableOf<kWshCollectionClass>()), m_items(std::move(items)) {}

CVariant CWshCollectionObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wsh_collection_id;
  switch (member.dispId) {
    case id::Item: return Item(args[0].Deref());
    case id::Count:
    case id::Length: return CVariant::Long(static_cast<int32_t>(m_items.size()));
    default: ThrowNoSuchMember();
  }
}

CVariant CWshCollectionObject::Item(const CVariant& index) const {
  if (index.IsString()) {
    const std::u16string name = index.ToString();
    for (const SItem& item : m_items) {
      if (!item.name.empty() && platform::EqualsIgnoringAsciiCase(item.name, name)) return CVariant::String(item.value);
    }
    return CVariant::String(u"");
  }
  const int32_t position = index.ToLong();
  if (position < 0 || static_cast<size_t>(position) >= m_items.size()) throw CScriptError(err::SubscriptRange);
  return CVariant::String(m_items[static_cast<size_t>(position)].value);
}

CEnumerator* CWshCollectionObject::NewEnum() {
  auto values = std::make_shared<std::vector<std::u16string>>();
  for (const SItem& item : m_items) values->push_back(item.value);
  return new CSequenceEnumerator([values](size_t index, CVariant& value) {
    if (index >= values->size()) return false;
    value = CVariant::String((*values)[index]);
    return true;
  });
}

}  // namespace quillet::engine
