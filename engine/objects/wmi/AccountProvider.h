#pragma once
// Win32_UserAccount and Win32_Group: the accounts of this computer from the system's user and
// group databases (getpwent, getgrent: /etc/passwd and /etc/group, or what NSS adds), each in
// this computer's domain.

#include "engine/objects/wmi/WbemAssociationProvider.h"
#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CAccountProvider : public CWbemProvider {
 public:
  explicit CAccountProvider(bool groups) : m_groups(groups) {}
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;
  // Which accounts belong to which groups (Win32_GroupUser): the members /etc/group lists and
  // every user of the group that is the user's own.
  [[nodiscard]] static CWbemAssociationProvider::PairTestMaker GroupMembership();

 private:
  bool m_groups;
};

}  // namespace quillet::engine
