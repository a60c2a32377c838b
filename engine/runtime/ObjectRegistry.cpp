#include "engine/runtime/ObjectRegistry.h"

#include "engine/objects/EngineLibraries.h"
#include "engine/objects/regexp/RegExpClasses.h"
#include "engine/runtime/DispatchObject.h"
#include "engine/runtime/ScriptError.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

CVariant Make(CDispatchObject* object) {
  if (object == nullptr) throw CScriptError(err::CannotCreateObject);
  return CVariant::Object(object);
}

template <typename Visit>
void ForEachEngineProgId(Visit visit) {
  for (const om::SLibrary* library : EngineLibraries()) {
    for (const om::SClass* cls : library->classes) {
      if (cls->create == nullptr) continue;
      for (const std::u16string_view progId : cls->progIds) visit(*cls, progId);
      if (!cls->versionedProgId.empty()) visit(*cls, cls->versionedProgId);
    }
  }
}

}  // namespace

const om::SClass* FindEngineClass(std::u16string_view progId) {
  const om::SClass* found = nullptr;
  ForEachEngineProgId([&](const om::SClass& cls, std::u16string_view name) {
    if (found == nullptr && platform::EqualsIgnoringAsciiCase(name, progId)) found = &cls;
  });
  return found;
}

void CObjectRegistry::Register(std::u16string_view progId, ObjectFactory factory) {
  for (SEntry& entry : m_hostClasses) {
    if (platform::EqualsIgnoringAsciiCase(entry.progId, progId)) {
      entry.factory = std::move(factory);
      return;
    }
  }
  m_hostClasses.push_back({std::u16string(progId), std::move(factory)});
}

const CObjectRegistry::SEntry* CObjectRegistry::FindHostClass(std::u16string_view progId) const {
  for (const SEntry& entry : m_hostClasses) {
    if (platform::EqualsIgnoringAsciiCase(entry.progId, progId)) return &entry;
  }
  return nullptr;
}

bool CObjectRegistry::Knows(std::u16string_view progId) const {
  return FindHostClass(progId) != nullptr || FindEngineClass(progId) != nullptr;
}

CVariant CObjectRegistry::Create(std::u16string_view progId) const {
  if (const SEntry* entry = FindHostClass(progId)) {
    if (!entry->factory) throw CScriptError(err::CannotCreateObject);
    return Make(entry->factory());
  }
  if (const om::SClass* cls = FindEngineClass(progId)) return Make(cls->create());
  throw CScriptError(err::CannotCreateObject);
}

std::vector<std::u16string> CObjectRegistry::ProgIds() const {
  std::vector<std::u16string> names;
  ForEachEngineProgId([&](const om::SClass&, std::u16string_view name) { names.emplace_back(name); });
  for (const SEntry& entry : m_hostClasses) names.push_back(entry.progId);
  return names;
}

CVariant NewBuiltinClass(std::u16string_view name) {
  if (platform::EqualsIgnoringAsciiCase(name, kRegExpClass.name)) return Make(kRegExpClass.create());
  return {};
}

}  // namespace quillet::engine
