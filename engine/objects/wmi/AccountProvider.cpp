#include "engine/objects/wmi/AccountProvider.h"

#include <grp.h>
#include <pwd.h>

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>

#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/WbemValues.h"
#include "platform/TextConvert.h"

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

CWbemAssociationProvider::PairTestMaker CAccountProvider::GroupMembership() {
  return [] {
    std::set<std::pair<std::u16string, std::u16string>> members;  // (group, account)
    std::map<gid_t, std::u16string> groupNames;
    const std::lock_guard<std::mutex> guard(DatabaseLock());
    setgrent();
    while (const group* entry = getgrent()) {
      const std::u16string groupName = platform::Utf8ToUtf16(entry->gr_name);
      groupNames.emplace(entry->gr_gid, groupName);
      for (char** member = entry->gr_mem; member != nullptr && *member != nullptr; ++member) {
        members.emplace(groupName, platform::Utf8ToUtf16(*member));
      }
    }
    endgrent();
    setpwent();
    while (const passwd* entry = getpwent()) {
      const auto own = groupNames.find(entry->pw_gid);
      if (own != groupNames.end()) members.emplace(own->second, platform::Utf8ToUtf16(entry->pw_name));
    }
    endpwent();
    // Groups here hold users only; a group that shares a user's name is not its member.
    return [members = std::move(members)](const SWbemInstance& group, const SWbemInstance& account) {
      const CVariant& sidType = account.Get(u"SIDType");
      if (sidType.IsNull() || sidType.ToDouble() != kSidTypeUser) return false;
      const CVariant& groupName = group.Get(u"Name");
      const CVariant& accountName = account.Get(u"Name");
      return groupName.IsString() && accountName.IsString() &&
             members.contains({std::u16string(groupName.AsString()), std::u16string(accountName.AsString())});
    };
  };
}

}  // namespace quillet::engine
