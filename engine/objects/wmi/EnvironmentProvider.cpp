#include "engine/objects/wmi/EnvironmentProvider.h"

#include <pwd.h>
#include <unistd.h>

#include <sstream>
#include <string>

#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemValues.h"
#include "engine/objects/wsh/ScriptRegistry.h"
#include "platform/TextConvert.h"

extern char** environ;

namespace quillet::engine {

namespace {

using namespace wbem_value;

constexpr std::string_view kSystemOwner = "<SYSTEM>";

void AddVariable(const platform::SWmiClass& cls, const std::string& owner, bool system, const std::string& entry,
                 WbemInstances& out) {
  const size_t equals = entry.find('=');
  if (equals == std::string::npos || equals == 0) return;
  const std::string name = entry.substr(0, equals);
  auto variable = std::make_shared<SWbemInstance>(cls);
  variable->Set(u"Name", Text(name));
  variable->Set(u"UserName", Text(owner));
  variable->Set(u"VariableValue", Text(entry.substr(equals + 1)));
  variable->Set(u"SystemVariable", CVariant::Boolean(system));
  variable->Set(u"Caption", Text(owner + "\\" + name));
  variable->Set(u"Description", Text(owner + "\\" + name));
  variable->Set(u"Status", Text(u"OK"));
  out.push_back(std::move(variable));
}

// /etc/environment holds NAME=value lines, the value sometimes quoted.
void AddSystemVariables(const platform::SWmiClass& cls, WbemInstances& out) {
  const auto text = machine::ReadSmallFile("/etc/environment");
  if (!text) return;
  std::istringstream lines(*text);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '#') continue;
    const size_t equals = line.find('=');
    if (equals != std::string::npos && line.size() >= equals + 3 && (line[equals + 1] == '"' || line[equals + 1] == '\'') &&
        line.back() == line[equals + 1]) {
      line = line.substr(0, equals + 1) + line.substr(equals + 2, line.size() - equals - 3);
    }
    AddVariable(cls, std::string(kSystemOwner), true, line, out);
  }
}

// The registry keys Windows keeps the system's and the users' variables in.
constexpr std::u16string_view kSystemKey = u"HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr std::u16string_view kUserKey = u"HKCU\\Environment";

std::string UserOwner() {
  const std::string host = machine::HostName();
  const passwd* user = getpwuid(geteuid());
  return host.substr(0, host.find('.')) + "\\" +
         (user != nullptr && user->pw_name != nullptr ? user->pw_name : std::to_string(geteuid()));
}

bool Listed(const WbemInstances& out, const std::string& owner, const std::string& name) {
  const std::u16string wantedOwner = platform::Utf8ToUtf16(owner);
  const std::u16string wantedName = platform::Utf8ToUtf16(name);
  for (const auto& variable : out) {
    const CVariant& listedOwner = variable->Get(u"UserName");
    const CVariant& listedName = variable->Get(u"Name");
    if (listedOwner.IsString() && listedName.IsString() &&
        platform::EqualsIgnoringAsciiCase(listedOwner.AsString(), wantedOwner) &&
        platform::EqualsIgnoringAsciiCase(listedName.AsString(), wantedName)) {
      return true;
    }
  }
  return false;
}

void AddRegistryVariables(const platform::SWmiClass& cls, std::u16string_view key, const std::string& owner, bool system,
                          WbemInstances& out) {
  const wsh::CScriptRegistry registry(wsh::CScriptRegistry::DefaultFolder());
  for (const auto& [name, value] : registry.TextValues(key)) {
    AddVariable(cls, owner, system, platform::Utf16ToUtf8(name) + "=" + platform::Utf16ToUtf8(value), out);
  }
}

void AddUnlisted(const platform::SWmiClass& cls, const std::string& owner, bool system, const std::string& entry,
                 WbemInstances& out) {
  const size_t equals = entry.find('=');
  if (equals == std::string::npos || Listed(out, owner, entry.substr(0, equals))) return;
  AddVariable(cls, owner, system, entry, out);
}

// The key a variable of this owner goes to: the system's, or this user's (written with or
// without the computer's name, as scripts write it). Anyone else's is refused.
std::u16string_view KeyOf(const SWbemInstance& variable) {
  const CVariant& owner = variable.Get(u"UserName");
  if (!owner.IsString()) wbem_error::Raise(wbem_error::kInvalidParameter, u"SWbemObjectEx");
  const std::u16string text(owner.AsString());
  if (platform::EqualsIgnoringAsciiCase(text, platform::Utf8ToUtf16(std::string(kSystemOwner)))) return kSystemKey;
  const std::u16string user = platform::Utf8ToUtf16(UserOwner());
  const std::u16string bareUser = user.substr(user.find(u'\\') + 1);
  if (platform::EqualsIgnoringAsciiCase(text, user) || platform::EqualsIgnoringAsciiCase(text, bareUser)) return kUserKey;
  wbem_error::Raise(wbem_error::kInvalidParameter, u"SWbemObjectEx");
}

std::u16string NameOf(const SWbemInstance& variable) {
  const CVariant& name = variable.Get(u"Name");
  if (!name.IsString() || name.AsString().empty() || name.AsString().find_first_of(u"=\\") != std::u16string_view::npos) {
    wbem_error::Raise(wbem_error::kInvalidParameter, u"SWbemObjectEx");
  }
  return std::u16string(name.AsString());
}

}  // namespace

// The registry's variables first: like Windows' own, they are what Put_ writes; then the
// variables of /etc/environment and of the running environment that the registry does not hold.
void CEnvironmentProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*, WbemInstances& out) {
  const std::string owner = UserOwner();
  const std::string system(kSystemOwner);
  AddRegistryVariables(cls, kSystemKey, system, true, out);
  AddRegistryVariables(cls, kUserKey, owner, false, out);
  WbemInstances etc;
  AddSystemVariables(cls, etc);
  for (const auto& variable : etc) {
    const CVariant& name = variable->Get(u"Name");
    if (!Listed(out, system, platform::Utf16ToUtf8(name.AsString()))) out.push_back(variable);
  }
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) AddUnlisted(cls, owner, false, *entry, out);
}

// A value with a variable's reference in it is stored to be expanded when read, as Windows does.
std::shared_ptr<SWbemInstance> CEnvironmentProvider::PutInstance(const SWbemInstance& instance) {
  const std::u16string_view key = KeyOf(instance);
  const std::u16string name = NameOf(instance);
  const CVariant& value = instance.Get(u"VariableValue");
  const std::u16string text = value.IsNull() || value.IsEmpty() ? std::u16string() : value.ToString();
  const wsh::CScriptRegistry registry(wsh::CScriptRegistry::DefaultFolder());
  registry.Write(std::u16string(key) + u"\\" + name, CVariant::String(text),
                 text.find(u'%') != std::u16string::npos ? u"REG_EXPAND_SZ" : u"REG_SZ");
  const bool system = key == kSystemKey;
  const std::string owner = system ? std::string(kSystemOwner) : UserOwner();
  WbemInstances one;
  AddVariable(*instance.cls, owner, system, platform::Utf16ToUtf8(name) + "=" + platform::Utf16ToUtf8(text), one);
  return one.front();
}

void CEnvironmentProvider::DeleteInstance(const SWbemInstance& instance) {
  const std::u16string_view key = KeyOf(instance);
  const std::u16string name = NameOf(instance);
  const wsh::CScriptRegistry registry(wsh::CScriptRegistry::DefaultFolder());
  for (const auto& [held, value] : registry.TextValues(key)) {
    if (platform::EqualsIgnoringAsciiCase(held, name)) {
      registry.Delete(std::u16string(key) + u"\\" + held);
      return;
    }
  }
  wbem_error::Raise(wbem_error::kNotFound, u"SWbemObjectEx");
}

}  // namespace quillet::engine
