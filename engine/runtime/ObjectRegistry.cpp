#include "engine/runtime/ObjectRegistry.h"

#include "engine/runtime/DispatchObject.h"
#include "engine/runtime/ScriptError.h"
#include "engine/objects/scripting/DictionaryObject.h"
#include "engine/objects/regexp/RegExpObject.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

CObjectRegistry::CObjectRegistry() {
  Register(u"Scripting.Dictionary", [] { return new CDictionaryObject(); });
  Register(u"VBScript.RegExp", [] { return new CRegExpObject(); });
}

void CObjectRegistry::Register(std::u16string_view progId, ObjectFactory factory) {
  for (SEntry& entry : m_entries) {
    if (platform::EqualsIgnoringAsciiCase(entry.progId, progId)) {
      entry.factory = std::move(factory);
      return;
    }
  }
  m_entries.push_back({std::u16string(progId), std::move(factory)});
}

const CObjectRegistry::SEntry* CObjectRegistry::Find(std::u16string_view progId) const {
  for (const SEntry& entry : m_entries) {
    if (platform::EqualsIgnoringAsciiCase(entry.progId, progId)) return &entry;
  }
  return nullptr;
}

bool CObjectRegistry::Knows(std::u16string_view progId) const { return Find(progId) != nullptr; }

CVariant CObjectRegistry::Create(std::u16string_view progId) const {
  const SEntry* entry = Find(progId);
  if (entry == nullptr || !entry->factory) throw CScriptError(err::CannotCreateObject);
  CDispatchObject* object = entry->factory();
  if (object == nullptr) throw CScriptError(err::CannotCreateObject);
  return CVariant::Object(object);
}

CVariant NewBuiltinClass(std::u16string_view name) {
  if (platform::EqualsIgnoringAsciiCase(name, u"RegExp")) return CVariant::Object(new CRegExpObject());
  return {};
}

}  // namespace quillet::engine
