#include "engine/objects/wsh/WshEnvironmentObject.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

#include "engine/objects/wsh/MachineNames.h"
#include "engine/objects/wsh/ScriptRegistry.h"
#include "engine/runtime/ScriptError.h"
#include "engine/objects/wsh/WshClasses.h"
#include "engine/runtime/SequenceEnumerator.h"
#include "platform/TextConvert.h"

extern char** environ;

namespace quillet::engine {

namespace {

using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

struct SIgnoringCase {
  bool operator()(const std::u16string& a, const std::u16string& b) const {
    return platform::LowerAscii(a) < platform::LowerAscii(b);
  }
};

// The variables a script sets in the Volatile scope, for the rest of the run.
std::map<std::u16string, std::u16string, SIgnoringCase>& VolatileVariables() {
  static std::map<std::u16string, std::u16string, SIgnoringCase> variables;
  return variables;
}

// The spelling the environment already has for the name, so that Path and PATH stay one.
std::string ProcessSpelling(const std::u16string& name) {
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    const std::string_view text(*entry);
    const size_t equals = text.find('=');
    if (equals != std::string_view::npos &&
        platform::EqualsIgnoringAsciiCase(Utf8ToUtf16(text.substr(0, equals)), name)) {
      return std::string(text.substr(0, equals));
    }
  }
  return Utf16ToUtf8(name);
}

void CheckName(const std::u16string& name) {
  if (name.empty() || name.find_first_of(std::u16string_view(u"=\\\0", 3)) != std::u16string::npos) {
    throw CScriptError(err::InvalidCall);
  }
}

wsh::CScriptRegistry Registry() { return wsh::CScriptRegistry(wsh::CScriptRegistry::DefaultFolder()); }

}  // namespace

CWshEnvironmentObject::CWshEnvironmentObject(EScope scope)
    : CAutomationObject(DispatchTableOf<kWshEnvironmentClass>()), m_scope(scope) {}

CWshEnvironmentObject::EScope CWshEnvironmentObject::ScopeNamed(std::u16string_view name) {
  const std::u16string lower = platform::LowerAscii(name);
  if (lower == u"process") return EScope::Process;
  if (lower == u"volatile") return EScope::Volatile;
  if (lower == u"system") return EScope::System;
  if (lower == u"user") return EScope::User;
  throw CScriptError(err::InvalidCall);
}

bool CWshEnvironmentObject::InRegistry() const { return m_scope == EScope::System || m_scope == EScope::User; }

// Where Windows keeps the variables of the machine and of the user.
std::u16string CWshEnvironmentObject::RegistryKey() const {
  return m_scope == EScope::System ? u"HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment"
                                   : u"HKCU\\Environment";
}

CVariant CWshEnvironmentObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wsh_collection_id;
  switch (member.dispId) {
    case id::Item:
      if (member.kind == om::EMemberKind::PropertyGet) return CVariant::String(Read(args[0].Deref().ToString()));
      Write(args[0].Deref().ToString(), args[1].Deref().ToString());
      return {};
    case id::Count:
    case id::Length: return CVariant::Long(static_cast<int32_t>(Entries().size()));
    case id::Remove: Remove(args[0].Deref().ToString()); return {};
    default: ThrowNoSuchMember();
  }
}

std::u16string CWshEnvironmentObject::Read(const std::u16string& name) const {
  if (InRegistry()) {
    CheckName(name);
    for (auto& [stored, value] : Registry().TextValues(RegistryKey())) {
      if (platform::EqualsIgnoringAsciiCase(stored, name)) return value;
    }
    return {};
  }
  if (m_scope == EScope::Volatile) {
    const auto found = VolatileVariables().find(name);
    return found != VolatileVariables().end() ? found->second : std::u16string();
  }
  return wsh::ProcessVariable(name).value_or(u"");
}

void CWshEnvironmentObject::Write(const std::u16string& name, const std::u16string& value) {
  CheckName(name);
  if (InRegistry()) {
    const bool expands = value.find(u'%') != std::u16string::npos;
    Registry().Write(RegistryKey() + u"\\" + name, CVariant::String(value), expands ? u"REG_EXPAND_SZ" : u"REG_SZ");
    return;
  }
  if (m_scope == EScope::Volatile) {
    VolatileVariables()[name] = value;
    return;
  }
  if (value.find(u'\0') != std::u16string::npos) throw CScriptError(err::InvalidCall);
  if (::setenv(ProcessSpelling(name).c_str(), Utf16ToUtf8(value).c_str(), 1) != 0) {
    throw CScriptError(err::OutOfMemory);
  }
}

void CWshEnvironmentObject::Remove(const std::u16string& name) {
  CheckName(name);
  if (InRegistry()) {
    Registry().Delete(RegistryKey() + u"\\" + name);
    return;
  }
  if (m_scope == EScope::Volatile) {
    VolatileVariables().erase(name);
    return;
  }
  ::unsetenv(ProcessSpelling(name).c_str());
}

std::vector<std::u16string> CWshEnvironmentObject::Entries() const {
  std::vector<std::u16string> entries;
  if (InRegistry()) {
    for (auto& [name, value] : Registry().TextValues(RegistryKey())) entries.push_back(name + u"=" + value);
    return entries;
  }
  if (m_scope == EScope::Volatile) {
    for (const auto& [name, value] : VolatileVariables()) entries.push_back(name + u"=" + value);
    return entries;
  }
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) entries.push_back(Utf8ToUtf16(*entry));
  return entries;
}

CEnumerator* CWshEnvironmentObject::NewEnum() {
  auto entries = std::make_shared<std::vector<std::u16string>>(Entries());
  return new CSequenceEnumerator([entries](size_t index, CVariant& value) {
    if (index >= entries->size()) return false;
    value = CVariant::String((*entries)[index]);
    return true;
  });
}

}  // namespace quillet::engine
