#pragma once
// Win32_BaseBoard: the main board of this computer, from /sys/class/dmi/id. The serial number is
// readable only by the administrator; for others it is Null. A machine without the machine
// description tables has no instance.

#include <string>

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CBaseBoardProvider : public CWbemProvider {
 public:
  explicit CBaseBoardProvider(std::string dmiFolder = "/sys/class/dmi/id") : m_dmiFolder(std::move(dmiFolder)) {}
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;

 private:
  std::string m_dmiFolder;
};

}  // namespace quillet::engine
