#include "engine/objects/wmi/AccountProvider.h"

#include <grp.h>
#include <pwd.h>

#include <mutex>
#include <string>

#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/WbemValues.h"

namespace quillet::engine {

namespace {

using namespace wbem_value;

constexpr int32_t kSidTypeUser = 1;
constexpr int32_t kSidTypeAlias = 4;
constexpr int32_t kNormalAccount = 512;

// getpwent and getgrent walk one cursor per process.
std::mutex& DatabaseLock() {
  static std::mutex lock;
  return lock;
}

std::shared_ptr<SWbemInstance> Account(const platform::SWmiClass& cls, const std::string& domain,
                                       const std::string& name, int32_t sidType) {
  auto account = std::make_shared<SWbemInstance>(cls);
  account->Set(u"Domain", Text(domain));
  account->Set(u"Name", Text(name));
  account->Set(u"Caption", Text(domain + "\\" + name));
  account->Set(u"LocalAccount", CVariant::Boolean(true));
  account->Set(u"SIDType", CVariant::Long(sidType));
  account->Set(u"Status", Text(u"OK"));
  return account;
}

// An account whose shell refuses logins is what Windows calls disabled.
bool RefusesLogin(const char* shell) {
  const std::string path = shell != nullptr ? shell : "";
  return path.ends_with("/nologin") || path.ends_with("/false");
}

}  // namespace

void CAccountProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*, WbemInstances& out) {
  const std::string host = machine::HostName();
  const std::string domain = host.substr(0, host.find('.'));
  const std::lock_guard<std::mutex> guard(DatabaseLock());
  if (m_groups) {
    setgrent();
    while (const group* entry = getgrent()) out.push_back(Account(cls, domain, entry->gr_name, kSidTypeAlias));
    endgrent();
    return;
  }
  setpwent();
  while (const passwd* entry = getpwent()) {
    auto user = Account(cls, domain, entry->pw_name, kSidTypeUser);
    const std::string gecos = entry->pw_gecos != nullptr ? entry->pw_gecos : "";
    const std::string fullName = gecos.substr(0, gecos.find(','));
    user->Set(u"FullName", Text(fullName));
    user->Set(u"Description", Text(fullName));
    user->Set(u"AccountType", CVariant::Long(kNormalAccount));
    user->Set(u"Disabled", CVariant::Boolean(RefusesLogin(entry->pw_shell)));
    user->Set(u"Lockout", CVariant::Boolean(false));
    out.push_back(std::move(user));
  }
  endpwent();
}

}  // namespace quillet::engine
