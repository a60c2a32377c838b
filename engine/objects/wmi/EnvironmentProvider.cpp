#include "engine/objects/wmi/EnvironmentProvider.h"

#include <pwd.h>
#include <unistd.h>

#include <sstream>
#include <string>

#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/WbemValues.h"

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

}  // namespace

void CEnvironmentProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*, WbemInstances& out) {
  AddSystemVariables(cls, out);
  const std::string host = machine::HostName();
  const passwd* user = getpwuid(geteuid());
  const std::string owner = host.substr(0, host.find('.')) + "\\" +
                            (user != nullptr && user->pw_name != nullptr ? user->pw_name : std::to_string(geteuid()));
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) AddVariable(cls, owner, false, *entry, out);
}

}  // namespace quillet::engine
