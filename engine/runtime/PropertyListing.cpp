#include "engine/runtime/PropertyListing.h"

#include "engine/runtime/AutomationObject.h"
#include "engine/runtime/ScriptError.h"

namespace quillet::engine {

namespace {
bool Listable(const om::SMember& member) {
  if (member.kind != om::EMemberKind::PropertyGet || !(member.flags & om::member::kSideEffectFree)) return false;
  for (const om::SParam& param : member.params) {
    if (!param.optional) return false;
  }
  return true;
}
}  // namespace

std::vector<SPropertyValue> ListSideEffectFreeProperties(CDispatchObject& object) {
  std::vector<SPropertyValue> properties;
  auto* automation = dynamic_cast<CAutomationObject*>(&object);
  if (automation == nullptr) return properties;
  for (const om::SMember& member : automation->Table().Interface().members) {
    if (!Listable(member)) continue;
    try {
      properties.push_back({member.name, automation->Call(member, {})});
    } catch (const CScriptError&) {
      // Not available in this state; the debugger shows what can be read.
    }
  }
  return properties;
}

}  // namespace quillet::engine
