#include "engine/vm/Globals.h"

#include "engine/runtime/ScriptClass.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

int32_t CGlobals::Intern(std::u16string_view name) {
  const std::u16string key = platform::LowerAscii(name);
  auto it = m_index.find(key);
  if (it != m_index.end()) return it->second;
  const auto slot = static_cast<int32_t>(m_count);
  if ((m_count & kBlockMask) == 0) m_blocks.push_back(std::make_unique<Block>());
  ++m_count;
  At(slot) = SGlobal{std::u16string(name), EGlobalKind::Undeclared, {}, nullptr};
  m_index.emplace(key, slot);
  return slot;
}

int32_t CGlobals::Find(std::u16string_view name) const {
  auto it = m_index.find(platform::LowerAscii(name));
  return it == m_index.end() ? -1 : it->second;
}

std::shared_ptr<CScriptClass> CGlobals::AddClass(std::shared_ptr<CScriptClass> cls) {
  auto& entry = m_classes[platform::LowerAscii(cls->name)];
  std::shared_ptr<CScriptClass> previous = std::move(entry);
  entry = std::move(cls);
  return previous;
}

void CGlobals::RestoreClass(std::u16string_view name, std::shared_ptr<CScriptClass> previous) {
  const std::u16string key = platform::LowerAscii(name);
  if (previous) m_classes[key] = std::move(previous);
  else m_classes.erase(key);
}

CScriptClass* CGlobals::FindClass(std::u16string_view name) const {
  auto it = m_classes.find(platform::LowerAscii(name));
  return it == m_classes.end() ? nullptr : it->second.get();
}

void CGlobals::ClearValues() {
  // Terminate code may touch other globals, so values go one at a time, in declaration order;
  // the host's objects go last, since that code may still call them.
  for (const bool host : {false, true}) {
    // By index: terminate code may add globals meanwhile.
    for (size_t i = 0; i < m_count; ++i) {
      SGlobal& slot = At(static_cast<int32_t>(i));
      if ((slot.kind == EGlobalKind::HostObject) != host) continue;
      CVariant old = std::move(slot.value);
      old.Clear();
    }
  }
}

}  // namespace quillet::engine
